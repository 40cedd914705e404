#pragma once
// Aligned text, wrapped text blocks, paragraphs, boxes with text and horizontal bars, drawn in
// millimetres on a drawing surface handed to every call. The vertical position is always the
// surface's CurrentY at the time of the call.
#include <QString>
#include <QtGlobal>

#if defined(PRENSIL_BUILD)
#define PRENSIL_API __attribute__((visibility("default")))
#else
#define PRENSIL_API
#endif

namespace prensil {

class Superficie;

class PRENSIL_API Impressao {
public:
    enum tipoAlinhamento : qint32 { zmkLeft = 0, zmkCenter = 1, zmkRight = 2, zmkJustify = 3 };
    enum tipoBordaGrid : qint32 {
        zmkSimpleBorder = 0,
        zmkDoubleBorder = 1,
        zmk3DBorder = 2,
        zmkBlackBorder = 3,
        zmkVerticalBorder = 4
    };

    // One line between two x positions; the part that does not fit, and anything after a line break,
    // is dropped. Without saltaLinha the position stays on the line, just after the text.
    void alinharImpressao(double posInicialmm, double posFinalmm, const QString& texto, Superficie& console,
                          qint32 alinhamento, quint32 corFonte = 0, bool negritarTexto = false,
                          bool saltaLinha = false);

    // A box (border, optional background) with a text inside it, 1 mm from each side and 0.6 mm from
    // the top. A zero font size keeps the surface's, a zero height fits one line of the text, a zero
    // background means no fill. The position ends at the box's bottom with saltarLinha, else its top.
    void desenhaGrid(double posInicial, double posFinal, const QString& textoGrid, Superficie& console,
                     qint32 tipoBorda, bool negritarTexto = false, double tamanhoFonte = 0,
                     qint32 alinhamentoTexto = zmkLeft, quint32 corFonte = 0, quint32 corFundo = 0,
                     double alturaGrid = 0, bool saltarLinha = false, bool alinharTextoVerticalmente = false);

    // A text wrapped into lines between two x positions, each line ending with a line feed. With a
    // height, only the lines whose running height stays below it; optionally centred vertically.
    void alinharTexto(double posInicialmm, double posFinalmm, const QString& texto, Superficie& console,
                      double alturaBlocoTexto = 0, qint32 alinhamentoTexto = zmkLeft, quint32 corFonte = 0,
                      bool negritarTexto = false, bool alinharTextoVerticalmente = false);

    // A text split into paragraphs at its line breaks (CR LF, CR or LF), each wrapped and left-aligned;
    // with a height, printing stops at the first line that would start at or below it.
    void alinharTextoComEnter(double posInicialmm, double posFinalmm, const QString& textoFonte,
                              Superficie& console, double alturaBlocoTexto = 0, quint32 corFonte = 0,
                              bool negritarTexto = false);

    // A horizontal bar from the current y down by its thickness (a plain line when 0).
    void imprimirLinha(double posInicialmm, double posFinalmm, Superficie& console, double espessuraLinha = 0,
                       quint32 corLinha = 0, bool preencherCor = false);

    // Whether the last piece cut for a line ended at a line break.
    bool achouEnter() const { return m_achouEnter; }

private:
    // The leading piece of a text that goes on one line, and how many characters of the text it
    // takes up (the piece plus the blank or line break it was cut at).
    struct Corte {
        QString linha;
        qsizetype consumidos = 0;
        bool cortou = false;
    };
    Corte cortarTexto(double x1, double x2, const QString& texto, Superficie& console, bool quebrar);
    QString justificarTexto(double x1, double x2, Superficie& console, const QString& linha);

    bool m_achouEnter = false;
};

} // namespace prensil
