#pragma once
// The documents and taxpayers a batch (an import) will store, kept in file order until the whole file has
// been judged, then applied to the tables in one batch operation of the data facade. They are kept packed
// (the text of their fields one after the other), which costs a fraction of the records themselves.
#include "tabulon/Registros.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace tabulon {
class ZOVs;
class CONTRIBUINTEs;
} // namespace tabulon

namespace zove {

class LoteDocumentos {
public:
    // Keeps a valid document (its number is given when the batch is applied) and its taxpayer.
    void inclui(const tabulon::ZOV& documento, const tabulon::CONTRIBUINTE& contribuinte);

    qsizetype tamanho() const { return static_cast<qsizetype>(m_inicios.size()); }
    bool vazio() const { return m_inicios.empty(); }

    // Applies the batch to the tables, in file order, as if each document had been saved by itself:
    // numbers follow the last document's, and for each taxpayer, when exactly one taxpayer has that type
    // and number, that taxpayer takes the five values, otherwise a new one is appended (so a later
    // record sees what an earlier one added or changed); a taxpayer of another type with the same
    // number is never touched. False, with the reason, when the last document's number is not a number.
    // A value repeated across documents (a date, a code) is one shared text in the tables.
    bool aplicaEm(tabulon::ZOVs& zovs, tabulon::CONTRIBUINTEs& contribuintes, QString* erro) const;

    // Forgets every document and gives its memory back.
    void esvazia();

private:
    // Each field in UTF-8 after its length (one byte, or 0xFF and four bytes for a long one).
    QByteArray m_campos;
    std::vector<qsizetype> m_inicios;
};

} // namespace zove
