#pragma once
// How the import rules read a record's converted fields, shared by the rules and the storing step of
// ZovRegras (not a public header of the import).
#include <QDate>
#include <QString>
#include <optional>

namespace zove::regras {

// A real calendar date written dd/mm/yyyy, nothing else.
inline std::optional<QDate> dataReal(const QString& texto) {
    if (texto.size() != 10)
        return std::nullopt;
    const QDate d = QDate::fromString(texto, QStringLiteral("dd/MM/yyyy"));
    if (!d.isValid())
        return std::nullopt;
    return d;
}

} // namespace zove::regras
