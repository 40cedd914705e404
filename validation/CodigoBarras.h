#pragma once
// Check digits and visible line of the collection barcode number.
#include <QString>
#include <optional>

namespace zove {

// Sum of the decimal digits of a number (14 -> 5). The sign is ignored.
qint16 somaDigitos(qint16 numero);

// Modulo-10 check digit with weights 2, 1, 2, ... from the leftmost digit: each product adds the sum
// of its digits; the digit is 10 minus the total modulo 10, with 10 written as 0. An empty text
// gives 0. A character that is not a decimal digit counts as 0, as it does in the bars.
qint16 calculaDVModulo10(const QString& digitos);

// From the 43 digits without the general check digit: writes into `codigo` the 44-digit number
// (the check digit over all 43 goes in the fourth place) and returns the visible line: the four
// blocks of 11 digits, each followed by "-", its own check digit and a blank (56 characters).
// Other lengths are composed the same way; the caller's length check reports them.
QString montaCodigoBarras(const QString& semDV, QString& codigo);

// The error the entry form shows when the number does not have exactly 44 characters; nothing
// when it does.
std::optional<QString> erroTamanhoCodigoBarras(const QString& codigo);

} // namespace zove
