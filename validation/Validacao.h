#pragma once
// Field validators and formatters shared by the entry form, the search window and the import rules:
// check digits of identification and originating-document numbers, date and year checks, and the
// key filters and focus behaviour of the numeric and money text boxes.
//
// Nothing here touches a widget. The text-box helpers work on a `Caixa` (text, caret, selection) and
// return the box as it must become; the checks that warn the user return the message for the caller
// to show. The barcode's modulo-10 digits and visible line belong to the same module.
#include "validation/CodigoBarras.h"

#include <QDate>
#include <QString>

namespace tabulon {
class TAB_CERT_ANTIGAs;
}

namespace zove {

// ---- check digits -------------------------------------------------------------------------------

// Modulo-11 check digit of `digitos`: weights 2, 3, ... from the rightmost character, restarting at 2
// after `pesoMaximo`; a character that is not a digit counts 0. Remainders 0 and 1 give 0.
int calculaDVModulo11(const QString& digitos, int pesoMaximo);

// Checks a number whose last character is its modulo-11 check digit. Its weights differ from
// calculaDVModulo11: they rise from 2 up to pesoMaximo + 1 and then start again at 3.
bool confereModulo11(const QString& numero, int pesoMaximo);

// Identification numbers. Shorter numbers are zero-filled to the width of the kind; blanks around
// the number are ignored; any other non-digit, an empty text or more significant digits than the kind
// holds make the number invalid.
bool validaCPF(const QString& numero);
bool validaCNPJ(const QString& numero);
bool validaInscricaoEstadual(const QString& numero);
bool validaNumeroRenavam(const QString& numero);

// Originating-document numbers.
bool validaModulo11(const QString& numero);
bool validaModulo97(const QString& numero);
// An old certificate listed in `certidoes` (which may be null: no table) or a modulo-11 number.
bool validaDocumentoTabela(const QString& numero, const tabulon::TAB_CERT_ANTIGAs* certidoes);
// The check of the originating-document type `tipo` (a code of the revenue's rule record).
bool validaDocumentoOrigem(const QString& numero, const QString& tipo,
                           const tabulon::TAB_CERT_ANTIGAs* certidoes);

// ---- dates and years ----------------------------------------------------------------------------

// What a check has to tell the user, and the text the checked box must show.
struct ResultadoCampo {
    enum class Icone { Nenhum, Informacao, Critico };

    bool ok = true;
    QString texto;    // what the box shows afterwards
    QString mensagem; // empty when ok
    QString titulo;
    Icone icone = Icone::Nenhum;
};

// A date typed as dd/mm/yyyy, ddmmyyyy, dd/mm/yy or ddmmyy (two-digit years fall in the century of
// `hoje`). An empty or blank text is valid.
bool validaDataTexto(const QString& data, const QDate& hoje = QDate::currentDate());

// The date box of the entry form when it is left. Valid: `texto` is the date as dd/mm/yyyy; only the
// empty text is accepted as no date (a text of blanks is refused). Refused: `texto` is the typed text
// without slashes, with "Data inválida".
ResultadoCampo validaCampoData(const QString& data, const QDate& hoje = QDate::currentDate());

// Empty, or a year from 1990 to 2040. `texto` echoes the argument.
ResultadoCampo validaAno(const QString& ano);

// The bounds validaAno accepts.
inline constexpr int anoMinimo = 1990;
inline constexpr int anoMaximo = 2040;

// ---- text boxes ---------------------------------------------------------------------------------

// A single-line text box: its text, caret and selection (the caret sits at inicioSelecao; a
// selection runs from there over tamanhoSelecao characters) and its maximum length (0: none).
struct Caixa {
    QString texto;
    qsizetype inicioSelecao = 0;
    qsizetype tamanhoSelecao = 0;
    qsizetype comprimentoMaximo = 0;

    bool operator==(const Caixa&) const = default;
};

// Key codes the filters know besides printable characters.
inline constexpr int teclaBackspace = 8;
inline constexpr int teclaLineFeed = 10;

// The outcome of a key filter: the key the box still receives (0 when the filter refused it or
// handled it itself) and the box after the whole keystroke.
struct ResultadoTecla {
    int tecla = 0;
    Caixa caixa;
};

// What a plain text box does with a key it receives: a printable character replaces the selection or
// goes in at the caret (unless the maximum length would be passed), backspace deletes the selection
// or the character before the caret, other control keys change nothing.
Caixa aplicaTecla(const Caixa& caixa, int tecla);

// Digits, backspace and line feed pass; any other key becomes 0.
int somenteNumeros(int tecla);
ResultadoTecla somenteNumeros(const Caixa& caixa, int tecla);

// The key filter of the money boxes ("," separates the decimals). Backspace always passes. Any other
// key that would leave more than maxInteiros digits before the comma or more than maxDecimais after it
// is refused; a digit typed on a full integer part brings its own comma. Backspace can still join the
// two parts past the limit (the comma of 12345678,5 deleted): validaCampoValor refuses that amount
// when the box is left.
ResultadoTecla digitaValor(const Caixa& caixa, int tecla, int maxInteiros, int maxDecimais);

// A money box when it is left: empty becomes "0,00"; an amount of at most maxInteiros integer digits
// and 2 decimals (thousands dots allowed) is shown as "1.234,50"; anything else is refused, the text
// kept, with a message naming the limit.
ResultadoCampo validaCampoValor(const QString& texto, int maxInteiros = 8);

// `texto` without any occurrence of `c` when `c` is exactly one character; otherwise `texto`.
QString removeCaractere(const QString& texto, const QString& c);

// Focus entering a money or numeric box: thousands dots removed, "0,00" emptied, all text selected.
Caixa selecionaTextoValor(const Caixa& caixa);

} // namespace zove
