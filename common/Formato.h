#pragma once
// The few number pictures the program uses, with the Brazilian separators ("." thousands, ","
// decimals). Money is carried as integer centavos.
#include <QString>
#include <optional>

namespace zove::formato {

// A numeric text written with at least `largura` digits, as the picture of `largura` zeros does:
// a shorter number gets leading zeros, a longer one keeps all its digits (and its own leading zeros
// are dropped first). Blanks around the number are ignored. A text that is not a whole number is
// returned unchanged; an empty text gives an empty text.
QString zeros(const QString& valor, int largura);

// True when the text, blanks trimmed, is made of decimal digits only (and is not empty).
bool somenteDigitos(const QString& texto);

// A whole number written through a display mask such as "00\.000\.000\-0": every "0" takes one
// digit, the number being zero-filled to the count of them (a longer number puts its extra digits at
// the first one); a backslash makes the next character literal; any other character is copied. A text
// that is not a whole number is returned unchanged.
QString mascara(const QString& numero, const QString& mascara);

// Reads an amount typed or stored with Brazilian separators ("1.234,5", "1234,56", "12").
// Thousands separators are ignored; more than two decimals or any other character is refused.
std::optional<qint64> centavos(const QString& texto);

// Centavos as "1.234,56" (the pictures "##,###,###0.00" and "###,###,###,###0.00").
QString valor(qint64 centavos);

} // namespace zove::formato
