#pragma once
// The saved-document search of the search window, without the window: the criteria the user chose, the
// query over the loaded documents, and the texts of one row of the result list.
#include "tabulon/Colecoes.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace zove {

class Referencias;

struct CriteriosPesquisa {
    enum class Impresso { Qualquer, Sim, Nao };

    // Identification digits; punctuation typed or stored ("123.456.789-09") does not matter.
    QString identificacao;
    // Part of the taxpayer's name, in any case: "Silva" finds "SILVA", "Conceição" "CONCEIÇÃO".
    QString nome;
    // Revenue type and revenue code as stored in the revenue table; empty means any.
    QString tipoReceita;
    QString receita;
    // The printed mark: "1" is printed, anything else is not.
    Impresso impresso = Impresso::Qualquer;
};

// The saved documents whose revenue and taxpayer are known and that meet every criterion, in table
// order, with their revenue name and taxpayer name filled in. Null when the tables are not loaded or
// the search cannot run.
std::shared_ptr<tabulon::ZOVs> pesquisaDocumentos(const Referencias& refs,
                                                  const CriteriosPesquisa& criterios);

// The six texts of a document's row: number, "code - revenue name", identification, taxpayer name,
// update date, total. The stored total (Brazilian text, "1234,5") is shown as "1.234,50"; a total
// that is not an amount is shown as stored.
QStringList colunasDaLinha(const tabulon::ZOV& zov);
// One of those texts (column 0 to 5), made alone.
QString colunaDaLinha(const tabulon::ZOV& zov, int coluna);

// The identification's digits alone.
QString somenteOsDigitos(const QString& texto);

} // namespace zove
