#pragma once
// The support check: loads and verifies every table of a data folder, each on its own, so a clerk sees
// at once every file that is missing or damaged.
#include <QList>
#include <QString>

class QTextStream;

namespace zove {

struct ResultadoTabela {
    QString arquivo;
    qsizetype registros = 0;
    bool ok = false;
    QString erro; // the loader's description when the load failed
};

// The fourteen tables in start-up order.
QList<ResultadoTabela> verificaTabelas(const QString& pastaDados);

// Writes the folder (and, when given, why it is the data folder), one line per table and a closing line;
// returns 0 only when all fourteen loaded.
int verificaDados(const QString& pastaDados, QTextStream& saida, const QString& motivo = {});

} // namespace zove
