#pragma once
// The core shared by every table collection: records in positions 1..Count (position 0 is an empty
// placeholder created on first read), the column names of the file header, and filtered queries that
// return new collections sharing the same record objects.
#include "tabulon/ErroExecucao.h"
#include "tabulon/Funcoes.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace tabulon {

template <class Registro, class Derivada> class Colecao {
public:
    using RegistroT = Registro;
    using RegistroPtr = std::shared_ptr<Registro>;

    Colecao() { Reset(); }

    // 1..Count are the records; 0 is the placeholder; anything else raises error 9.
    RegistroPtr Item(qsizetype index) const {
        if (index < 0 || index > Count())
            throw ErroExecucao::subscrito();
        if (index == 0) {
            if (!m_mCol[0])
                m_mCol[0] = std::make_shared<Registro>();
            return m_mCol[0];
        }
        return m_mCol[static_cast<size_t>(index)];
    }

    // Position of the last header name equal to NomeCampo ignoring case; 0 when none matches.
    qsizetype Campo_Indice(const QString& NomeCampo) const { return ProcuraCampo(NomeCampo); }

    QString Campo(qsizetype IndiceCampo) const {
        if (IndiceCampo < 0 || IndiceCampo >= m_aCampos.size())
            throw ErroExecucao::subscrito();
        return m_aCampos.at(IndiceCampo);
    }

    qsizetype Count() const { return static_cast<qsizetype>(m_mCol.size()) - 1; }

    void Add(RegistroPtr value) { m_mCol.push_back(std::move(value)); }

    void AddRange(const Derivada& oObjs) {
        const qsizetype n = oObjs.Count();
        m_mCol.reserve(m_mCol.size() + static_cast<size_t>(n));
        for (qsizetype i = 1; i <= n; ++i)
            m_mCol.push_back(oObjs.m_mCol[static_cast<size_t>(i)]);
    }

    void Reset() {
        m_mCol.assign(1, nullptr);
        m_aCampos = QStringList{QString()};
    }

    // Removes every record; the header names stay.
    void removeRegistros() { m_mCol.assign(1, nullptr); }

    // Names are split at "|" keeping their blanks; only the last one loses its leading and trailing
    // spaces. An empty header stores nothing.
    void Inicializa_Array_Campos(const QString& sCampos) {
        QString resto = sCampos;
        bool primeiro = true;
        while (!resto.isEmpty()) {
            QString nome;
            const qsizetype barra = resto.indexOf(QLatin1Char('|'));
            if (barra >= 0) {
                nome = resto.left(barra);
                resto = resto.mid(barra + 1);
            } else {
                nome = semBrancos(resto);
                resto.clear();
            }
            if (primeiro) {
                m_aCampos[0] = nome;
                primeiro = false;
            } else {
                m_aCampos.append(nome);
            }
        }
    }

    // The highest header position (number of names minus 1).
    qsizetype Campos_Count() const { return m_aCampos.size() - 1; }
    const QStringList& campos() const { return m_aCampos; }

    // The records 1..Count, for range-for loops in the program.
    auto begin() const { return m_mCol.begin() + 1; }
    auto end() const { return m_mCol.end(); }

    void reservar(qsizetype n) { m_mCol.reserve(static_cast<size_t>(n) + 1); }

protected:
    // A new collection of the same class with the records that satisfy the predicate, or null when
    // anything goes wrong during the walk (searches never fail).
    template <class Predicado> std::shared_ptr<Derivada> filtrar(Predicado&& manter) const noexcept {
        try {
            auto resultado = std::make_shared<Derivada>();
            for (auto it = begin(); it != end(); ++it) {
                if (!*it)
                    return nullptr; // an empty slot stored with Add has no fields to compare
                if (manter(**it))
                    resultado->m_mCol.push_back(*it);
            }
            return resultado;
        } catch (...) {
            return nullptr;
        }
    }

    qsizetype ProcuraCampo(const QString& NomeCampo) const {
        const QString procurado = NomeCampo.toUpper();
        qsizetype achado = 0;
        for (qsizetype i = 0; i < m_aCampos.size(); ++i) {
            if (m_aCampos.at(i).toUpper() == procurado)
                achado = i;
        }
        return achado;
    }

    mutable std::vector<RegistroPtr> m_mCol;
    QStringList m_aCampos;

    template <class, class> friend class Colecao;
};

} // namespace tabulon
