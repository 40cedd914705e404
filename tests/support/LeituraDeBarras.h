#pragma once
// Reading the bars of a printed page back: the page rendered by Poppler, a band of it scanned by ZBar.
#include <QStringList>

namespace poppler {
class image;
}

namespace teste {

// The resolution pages are rendered at for reading.
inline constexpr int DpiLeitura = 300;

// Every Interleaved 2 of 5 symbol the reader finds in the rows [deMm, ateMm) of a page rendered at
// DpiLeitura, as "TYPE:data".
QStringList leBarras(const poppler::image& img, double deMm, double ateMm);

} // namespace teste
