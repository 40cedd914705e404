#include "support/LeituraDeBarras.h"

#include <QtGlobal>
#include <poppler-image.h>
#include <zbar.h>

#include <vector>

namespace teste {

namespace {

// Grey levels of the rows [deMm, ateMm) of the page image.
std::vector<unsigned char> faixa(const poppler::image& img, double deMm, double ateMm, int& linhas) {
    const int de = qBound(0, int(deMm * DpiLeitura / 25.4), img.height());
    const int ate = qBound(0, int(ateMm * DpiLeitura / 25.4), img.height());
    linhas = ate - de;
    std::vector<unsigned char> cinza(size_t(linhas) * img.width());
    for (int y = 0; y < linhas; ++y) {
        const auto* linha =
            reinterpret_cast<const unsigned char*>(img.const_data() + (de + y) * img.bytes_per_row());
        for (int x = 0; x < img.width(); ++x) {
            const unsigned char* p = linha + 4 * x; // BGRA
            cinza[size_t(y) * img.width() + x] =
                static_cast<unsigned char>((p[0] * 11 + p[1] * 59 + p[2] * 30) / 100);
        }
    }
    return cinza;
}

// Every symbol the reader finds in a band of the page, as "TYPE:data".
} // namespace

QStringList leBarras(const poppler::image& img, double deMm, double ateMm) {
    int linhas = 0;
    std::vector<unsigned char> cinza = faixa(img, deMm, ateMm, linhas);
    zbar::ImageScanner leitor;
    leitor.set_config(zbar::ZBAR_NONE, zbar::ZBAR_CFG_ENABLE, 0);
    leitor.set_config(zbar::ZBAR_I25, zbar::ZBAR_CFG_ENABLE, 1);
    zbar::Image imagem(unsigned(img.width()), unsigned(linhas), "Y800", cinza.data(), cinza.size());
    leitor.scan(imagem);
    QStringList lidos;
    for (auto s = imagem.symbol_begin(); s != imagem.symbol_end(); ++s)
        lidos << QString::fromStdString(s->get_type_name() + ":" + s->get_data());
    imagem.set_data(nullptr, 0);
    return lidos;
}

} // namespace teste
