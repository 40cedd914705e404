#pragma once
// The error lines of an import: one line (`log`) and an ordered list of them (`Logs`).
#include "import/ListaOrdenada.h"

#include <QString>
#include <QStringList>

namespace zove {

class log {
public:
    const QString& Descricao() const { return m_descricao; }
    void Descricao(const QString& valor) { m_descricao = valor; }

private:
    QString m_descricao;
};

class Logs : public ListaOrdenada<log> {
public:
    // Appends the other list's lines in order; both lists then share them.
    void AddRange(const Logs& outros);
    // Appends a new line with that text.
    void NewLog(const QString& descricao);
    // The texts 1..Count, in order.
    QStringList textos() const;
};

} // namespace zove
