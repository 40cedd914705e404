#pragma once
// One ZOVE document on an A4 page: three copies one below the other, separated by dashed cut lines,
// drawn in millimetres through the print helper. Copy 1 carries the bar pattern at the top of the
// page, copy 2 none, copy 3 the digits and the bars below its grid.
#include <QSizeF>
#include <QString>

namespace prensil {
class Impressao;
class Superficie;
} // namespace prensil

namespace zove {

struct DadosImpressao;

struct OpcoesPagina {
    // On the preview the picture is cleared first and the scroll position picks the first copy drawn:
    // 1 skips copy 1, 2 skips copies 1 and 2, anything else draws all three.
    bool previa = false;
    int posicaoBarra = 0;
    // The bar pattern bitmap, as the barcode drawing wrote it.
    QString arquivoCodigoBarras;
    // The program's version, shown as "ZOVE v. " + versao in every header.
    QString versao;
};

// The pictures of the header, shipped with the program.
inline constexpr char ImagemBrasao[] = ":/zove/imagens/brasao.png";
inline constexpr char ImagemQor[] = ":/zove/imagens/qor.png";

// Size of a picture file painted at its natural size, in millimetres (96 dpi when the file records
// none); an empty size when it cannot be read.
QSizeF tamanhoNaturalMm(const QString& arquivo);

// Draws the page. Raises what the surface raises, and tabulon::ErroExecucao(53) when the bar pattern
// bitmap is missing or is not the size the number's symbol takes (415 x 50 pixels for 44 digits).
void desenhaPagina(prensil::Impressao& impressao, prensil::Superficie& superficie,
                   const DadosImpressao& dados, const OpcoesPagina& opcoes);

} // namespace zove
