#include "import/Logs.h"

namespace zove {

void Logs::AddRange(const Logs& outros) {
    // Copied first: adding a list to itself must not walk the lines it is appending.
    std::vector<Ptr> linhas(outros.begin(), outros.end());
    for (auto& l : linhas)
        Add(std::move(l));
}

void Logs::NewLog(const QString& descricao) {
    auto linha = std::make_shared<log>();
    linha->Descricao(descricao);
    Add(std::move(linha));
}

QStringList Logs::textos() const {
    QStringList t;
    t.reserve(Count());
    for (const auto& l : *this)
        t.append(l->Descricao());
    return t;
}

} // namespace zove
