#pragma once
// The Interleaved 2 of 5 symbol of a barcode number, drawn one pixel per narrow element on an image
// (the persistent image of a picture box) and saved as a bitmap that the printed page places.
//
// Failures are raised as tabulon::ErroExecucao: number 5 for an image that cannot be drawn on
// (empty), number 75 when the bitmap cannot be written or does not show up in its folder within
// a few seconds. Nothing is swallowed: a caller that goes on without the bitmap does so knowingly.
#include <QString>

class QImage;

namespace zove {

// Errors raised by the two functions below.
inline constexpr int ErroSuperficieCodigoBarras = 5;
inline constexpr int ErroArquivoCodigoBarras = 75;

// Pixel columns taken by the symbol of a number with `digitos` digits, quiet zone included
// (415 for the 44-digit number).
int larguraCodigoBarras(qsizetype digitos);

// Clears the image to white, draws the symbol of `codigo` (pairs of digits; an odd last digit is
// paired with 0, and a character that is not a digit reads as 0) with black one-pixel vertical
// lines covering rows 1 to 49, and saves it with salvaImagemCodigoBarras. The image keeps its size
// (a narrower one clips the symbol) and is set to 96 dots per inch.
void desenhaCodigoBarras(const QString& codigo, QImage& superficie, const QString& pasta = QString());

// Writes the image as "_barcode_" + codigo + ".bmp" in `pasta` (the current folder when empty),
// recording 96 dots per inch. The file is replaced in one step, so a reader never finds it half
// written, and a failed write leaves any previous file as it was.
void salvaImagemCodigoBarras(const QString& codigo, const QImage& superficie,
                             const QString& pasta = QString());

// The program's own folder for the bar pattern bitmaps: written by the barcode drawing, read by the
// printed page, emptied by the main window. Created when missing.
QString pastaImagensCodigoBarras();

// The bitmap's path for a number, as salvaImagemCodigoBarras names it.
QString arquivoCodigoBarras(const QString& codigo, const QString& pasta = QString());

namespace detalhe {
// Waits, handling pending events, until a directory look-up finds the file; false when `limiteMs`
// milliseconds pass first.
bool aguardaArquivo(const QString& caminho, int limiteMs);
} // namespace detalhe

} // namespace zove
