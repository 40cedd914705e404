#pragma once
// The complete check of a filled form before it is previewed, printed or saved: a table of numbered
// rows, each a condition over the form's plain value with the message it adds. The individual checks
// are plain functions too, so the batch import can judge its records with the same meaning and its
// own messages.
#include "entry/Preenchimento.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

namespace zove {

class Referencias;

struct ContextoVerificacao {
    Referencias& refs;
    QDate hoje;
};

// One row of the check: its number and the message it adds, or nothing when the row passes.
struct LinhaVerificacao {
    const char* numero; // "1" to "20"; rows that guard against impossible documents carry a letter
    std::optional<QString> (*verifica)(const Preenchimento&, const ContextoVerificacao&);
};

// The rows in the order they run.
const QList<LinhaVerificacao>& linhasVerificacao();

// The messages of every row that fires, in order (each begins with " - ").
QStringList verificaPreenchimento(const Preenchimento& p, const ContextoVerificacao& ctx);

// The numbered list: "1 - ...", CR LF, "2 - ...", CR LF and so on.
QString textoErros(const QStringList& mensagens);

// The whole text of the message box that reports the errors, and its title.
QString textoRelatorioErros(const QStringList& mensagens);
inline constexpr const char* TituloErrosPreenchimento = "Erro de preenchimento no ZOVE";

// ---- the individual checks ----------------------------------------------------------------------
namespace checagem {

// Empty after trimming blanks.
bool vazio(const QString& texto);

// A date typed in a date field (dd/mm/yyyy, ddmmyyyy, dd/mm/yy, ddmmyy): nothing when empty or not a
// calendar date.
std::optional<QDate> leData(const QString& texto, const QDate& hoje);

// The limit date of the parameter table (record 1), when it holds a date.
std::optional<QDate> dataLimite(const Referencias& refs);

// The originating document does not apply ("9" or empty) / may stay empty ("6").
bool documentoOrigemNaoSeAplica(const QString& MVD_DOCUMENTO);
bool documentoOrigemOpcional(const QString& MVD_DOCUMENTO);

// A numeric value of a flag or field as the check reads it (0 for a text that is not a number).
qint64 valorNumerico(const QString& texto);

enum class ProblemaAno { Nenhum, Vazio, AlemDoMaximo, AntesDoMinimo };
// A reference year: empty, above `maximo`, below 1990 (a text that is not a number reads as 0).
ProblemaAno confereAno(const QString& ano, int maximo);

// Parcel numbers run from 1 to 999.
bool parcelaValida(const QString& numero);

// The first and last day of the reference period, as day/month/year texts, for the class check
// of month references ("1" or empty) and periods ("2"). Nothing when the period is not selected,
// the year is not a number, or the reference kind has no days.
std::optional<std::pair<QString, QString>> diasDoPeriodo(const Preenchimento& p);

} // namespace checagem

} // namespace zove
