#pragma once
// A saved document as the tables hold it. The entry form and the batch import both turn their values
// into the same two rows here (the ZOV row and its taxpayer's row), and reopening a document reads the
// form's values back from the ZOV row here, so the stored layout has one definition.
#include "tabulon/Registros.h"

#include <QString>

class QDate;

namespace zove::documento {

// The values of a document before it is stored. Codes are decimal text; an empty code is "none".
struct Valores {
    QString tipoIdentificacao;
    // The identification digits, and the width of its kind when it has a fixed one (0 otherwise).
    QString identificacao;
    int larguraIdentificacao = 0;
    QString nome;
    QString ddd;
    QString fone;

    QString receita;
    // The revenue's reference kind (its MVD_REFERENCIA) and the parts of the reference that kind uses:
    // a year with a month, period or quota ("1" or empty, "2", "4"), a parcel ("3"), a fiscal year ("5").
    QString tipoReferencia;
    QString anoReferencia;
    QString periodo;
    QString parcela;

    QString numDocumentoOrigem;
    // Dates as stored: dd/MM/yyyy, or empty for a revenue without them.
    QString dataVencimento;
    QString dataCalculo;
    // Amounts as stored (see valorGravado).
    QString principal;
    QString multa;
    QString juros;
    QString correcao;
    QString total;

    QString municipio;
    QString classe;
};

// The two rows of one saved document.
struct Linhas {
    tabulon::ZOV zov;
    tabulon::CONTRIBUINTE contribuinte;
};

// The rows of a document saved today. NUM_DOCUMENTO is left empty: the number is given when the
// document is stored. A new document is not printed yet (IMPRESSO "0") and belongs to the state "OL";
// an empty origin document, municipality or class is stored as "0", an empty reference as "000000".
Linhas linhas(const Valores& v, const QDate& hoje);

// The reference as the saved document keeps it: the year followed by the two-digit month, period or
// quota; the parcel; the fiscal year; empty for a kind without a reference.
QString referenciaGravada(const QString& tipoReferencia, const QString& ano, const QString& periodo,
                          const QString& parcela);
// The identification digits, zero-filled to the width of a kind with a fixed one (largura 0: as given).
QString identificacaoGravada(const QString& digitos, int largura);
// An amount as the tables keep it: reais and two decimals after a comma, no thousands separator.
QString valorGravado(qint64 centavos);
// An amount of a saved document in centavos: written with a decimal comma ("1244,50", ",45"), or with
// a decimal point by older writers ("1244.5"). Unreadable text counts as zero.
qint64 centavosGravados(const QString& texto);
QString dataGravada(const QDate& data);

// What reopening a saved document puts back into the form, once the document's revenue (and so its
// reference kind) is selected.
struct Reaberto {
    QString dataCalculo;
    // Empty when stored as "00:00:00" (no due date).
    QString dataVencimento;
    // Empty when stored as "0".
    QString numDocumentoOrigem;
    // Empty when none was stored ("0", blank).
    QString municipio;
    QString classe;
    qint64 principal = 0;
    qint64 correcao = 0;
    qint64 multa = 0;
    qint64 juros = 0;
    // The reference split by the kind in force: year and month, period or quota; parcel; fiscal year.
    QString anoReferencia;
    QString periodo;
    QString parcela;
};
Reaberto reabre(const tabulon::ZOV& zov, const QString& tipoReferencia);

} // namespace zove::documento
