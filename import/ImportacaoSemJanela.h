#pragma once
// The import run from the command line ("zove --importar ARQUIVO"): the same import as the window's,
// reported as text.
#include <QDate>
#include <QString>
#include <functional>

class QTextStream;

namespace zove {

// Loads the tables of pastaDados, imports the file, prints the file's own problems, one line per
// invalid record that kept its lines (its index and its log lines) and a summary. Returns 0 when the
// file was read and its valid documents stored, 1 otherwise.
int importaSemJanela(const QString& pastaDados, const QString& arquivo, QTextStream& saida,
                     QTextStream& erros, std::function<QDate()> hoje = {});

} // namespace zove
