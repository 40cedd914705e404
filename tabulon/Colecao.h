#pragma once
// The core shared by every table collection: records in positions 1..Count (position 0 is an empty
// placeholder created on first read), the column names of the file header, and filtered queries that
// return new collections sharing the same record objects.
#include "tabulon/ErroExecucao.h"
#include "tabulon/Funcoes.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <memory>
#include <utility>
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
        if (IndiceCampo < 0 || IndiceCampo > Campos_Count())
            throw ErroExecucao::subscrito();
        return nomeDoCampo(IndiceCampo).toString();
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
        m_sCabecalho.clear();
        m_iMarcos.assign(1, 0);
        m_iNomes = 1; // one empty name
        m_iUltimo = {0, 0};
    }

    // Removes every record; the header names stay.
    void removeRegistros() { m_mCol.assign(1, nullptr); }

    // Names are split at "|" keeping their blanks; only the last one loses its leading and trailing
    // spaces. An empty header stores nothing. Called right after Reset: the names replace the empty
    // one. The header is kept whole and read in one pass; a name is found from the start of every
    // 64th name, so a header of many names costs little more than its text.
    void Inicializa_Array_Campos(const QString& sCampos) {
        if (sCampos.isEmpty())
            return;
        m_sCabecalho = sCampos;
        m_iMarcos.clear();
        m_iNomes = 0;
        const qsizetype tamanho = sCampos.size();
        qsizetype inicio = 0;
        for (;;) {
            if (m_iNomes % kPasso == 0)
                m_iMarcos.push_back(inicio);
            const qsizetype barra = sCampos.indexOf(QLatin1Char('|'), inicio);
            ++m_iNomes;
            if (barra < 0) {
                qsizetype fim = tamanho;
                while (inicio < fim && sCampos.at(inicio) == QLatin1Char(' '))
                    ++inicio;
                while (fim > inicio && sCampos.at(fim - 1) == QLatin1Char(' '))
                    --fim;
                m_iUltimo = {inicio, fim};
                break;
            }
            if (barra + 1 == tamanho) { // nothing remains after the last "|"
                m_iUltimo = {inicio, barra};
                break;
            }
            inicio = barra + 1;
        }
        m_iMarcos.shrink_to_fit();
    }

    // The highest header position (number of names minus 1).
    qsizetype Campos_Count() const { return m_iNomes - 1; }
    QStringList campos() const {
        QStringList nomes;
        nomes.reserve(m_iNomes);
        percorreNomes([&](qsizetype, QStringView nome) { nomes.append(nome.toString()); });
        return nomes;
    }

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
        percorreNomes([&](qsizetype i, QStringView nome) {
            if (maiusculasIguais(nome, procurado))
                achado = i;
        });
        return achado;
    }

    // Calls f(position, name) for every header name in order.
    template <class F> void percorreNomes(F&& f) const {
        const QStringView texto(m_sCabecalho);
        qsizetype inicio = 0;
        for (qsizetype i = 0; i + 1 < m_iNomes; ++i) {
            const qsizetype barra = texto.indexOf(QLatin1Char('|'), inicio);
            f(i, texto.sliced(inicio, barra - inicio));
            inicio = barra + 1;
        }
        f(m_iNomes - 1, texto.sliced(m_iUltimo.first, m_iUltimo.second - m_iUltimo.first));
    }

    QStringView nomeDoCampo(qsizetype i) const {
        const QStringView texto(m_sCabecalho);
        if (i == m_iNomes - 1)
            return texto.sliced(m_iUltimo.first, m_iUltimo.second - m_iUltimo.first);
        qsizetype inicio = m_iMarcos[static_cast<size_t>(i / kPasso)];
        for (qsizetype k = 0; k < i % kPasso; ++k)
            inicio = texto.indexOf(QLatin1Char('|'), inicio) + 1;
        return texto.sliced(inicio, texto.indexOf(QLatin1Char('|'), inicio) - inicio);
    }

    // nome.toUpper() == procurado, without building the upper-case copy of a plain ASCII name: the
    // characters before the first non-ASCII one map to themselves in upper case, one for one.
    static bool maiusculasIguais(QStringView nome, const QString& procurado) {
        const qsizetype n = nome.size();
        for (qsizetype i = 0; i < n; ++i) {
            char16_t c = nome[i].unicode();
            if (c >= 0x80)
                return nome.toString().toUpper() == procurado;
            if (c >= u'a' && c <= u'z')
                c = static_cast<char16_t>(c - (u'a' - u'A'));
            if (i >= procurado.size() || procurado.at(i).unicode() != c)
                return false;
        }
        return n == procurado.size();
    }

    mutable std::vector<RegistroPtr> m_mCol;
    static constexpr qsizetype kPasso = 64;
    QString m_sCabecalho;                        // the header line as given
    std::vector<qsizetype> m_iMarcos;            // where names 0, 64, 128 ... start in it
    qsizetype m_iNomes = 1;                      // how many names
    std::pair<qsizetype, qsizetype> m_iUltimo{}; // the last name, without its blanks

    template <class, class> friend class Colecao;
};

} // namespace tabulon
