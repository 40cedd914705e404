#pragma once
// The ordered lists of the import: positions 1 to Count, like the table collections. A position past
// Count that is read before anything was added there gets a new empty object, kept for the next read
// and replaced by the next Add that reaches it.
#include "tabulon/ErroExecucao.h"

#include <memory>
#include <vector>

namespace zove {

template <class T> class ListaOrdenada {
public:
    using Ptr = std::shared_ptr<T>;

    // Position 0 and positions past Count answer with an empty object; a negative one raises error 9.
    Ptr Item(qsizetype posicao) const {
        if (posicao < 0)
            throw tabulon::ErroExecucao::subscrito();
        const auto indice = static_cast<size_t>(posicao);
        if (indice >= m_itens.size())
            m_itens.resize(indice + 1);
        if (!m_itens[indice])
            m_itens[indice] = std::make_shared<T>();
        return m_itens[indice];
    }

    qsizetype Count() const { return m_count; }

    void Add(Ptr item) {
        ++m_count;
        const auto indice = static_cast<size_t>(m_count);
        if (indice < m_itens.size())
            m_itens[indice] = std::move(item);
        else
            m_itens.push_back(std::move(item));
    }

    void Reset() {
        m_itens.assign(1, nullptr);
        m_count = 0;
    }

    void reservar(qsizetype n) { m_itens.reserve(static_cast<size_t>(n) + 1); }

    // The objects 1..Count, for range-for loops.
    auto begin() const { return m_itens.begin() + 1; }
    auto end() const { return m_itens.begin() + 1 + m_count; }

protected:
    mutable std::vector<Ptr> m_itens{1};
    qsizetype m_count = 0;
};

} // namespace zove
