#pragma once
// Assembly of a checked form: the barcode input built from the form's values, the 44-digit number and
// its visible line, the bar picture, and the texts the printed page needs beyond the raw fields.
#include "entry/Preenchimento.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace zove {

class Referencias;
class ZovDados;

// The reference period as the barcode carries it: "MMyyyy" for months, periods and quotas, the
// parcel as six digits, the fiscal year alone, "000000" when the revenue has none.
QString PeriodoReferencia(const Preenchimento& p);

// The barcode input record of the form's values.
std::shared_ptr<ZovDados> dadosCodigoBarras(const Preenchimento& p);

// The reference period as the page prints it ("Março/2025", "1ª Cota/2025", "12", "2024").
QString textoReferencia(const Preenchimento& p);

// The block of additional information: the fund's name and registry number for the donations to the
// fund, the telephone when the revenue asks for one, and the selected class.
QString informacoesAdicionais(const Preenchimento& p);

// Everything the preview and the printed page take from an assembled document.
struct DocumentoMontado {
    QString codigoBarras;   // 44 digits
    QString linhaDigitavel; // the visible line, 56 characters
    QString arquivoBarras;  // the bitmap of the bars
    QImage imagemBarras;    // the same bars, for the form's picture
    QString referencia;
    QString informacoesAdicionais;
    QString nomeReceita;
    Preenchimento campos; // every field's text as the form held it
};

// The assembled document, or the reasons it could not be assembled.
struct ResultadoMontagem {
    std::optional<DocumentoMontado> documento;
    QStringList erros;
};

// Composes the number, draws its bars on an image of `tamanhoImagem` and saves the bitmap in `pasta`
// (the current folder when empty). A number that is not 44 digits long, or bars that cannot be drawn
// or saved, give an error and no document.
ResultadoMontagem montaDocumento(Referencias& refs, const Preenchimento& p, const QSize& tamanhoImagem,
                                 const QString& pasta = QString());

} // namespace zove
