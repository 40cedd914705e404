#pragma once
// Writes batch import records for the tests, the benchmarks and trying the import by hand: a valid
// record for every revenue the import accepts, built from that revenue's rule flags and the delivered
// tables, and invalid ones with one known fault each.
#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

namespace zove {

class Referencias;

class GeradorRegistros {
public:
    enum class Defeito {
        Nenhum,
        Identificacao,  // check digits wrong
        Total,          // total one centavo off the sum
        Receita,        // a revenue without rules
        DataVencimento, // 31 February
        Tamanho,        // one character short
        EmBranco,       // a blank line
    };

    GeradorRegistros(const Referencias& refs, QDate hoje);

    // The revenues whose records the import accepts, in table order.
    const QStringList& receitas() const { return m_receitas; }

    // One record of 250 characters for the revenue; `i` varies the taxpayer, period and amounts.
    QString registro(const QString& receita, int i, Defeito defeito = Defeito::Nenhum) const;

    // A whole file of n records (CR LF, Windows-1252) cycling through the revenues; with `cadaInvalido`
    // above 0, every cadaInvalido-th record has one of the faults, in turn.
    QByteArray arquivo(int n, int cadaInvalido = 0) const;

    // A valid identification number of the type with its check digits, different for each i.
    static QString identificacao(const QString& tipo, int i);

private:
    const Referencias& m_refs;
    QDate m_hoje;
    QStringList m_receitas;
};

} // namespace zove
