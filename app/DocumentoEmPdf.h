#pragma once
// "zove --pdf NÚMERO ARQUIVO.pdf": a saved document's page written to a PDF without any window.
#include <QString>

class QTextStream;

namespace zove {

// Loads the tables of `pastaDados`, opens the saved document `numero` as the entry form would and
// writes its page to `arquivo`. Messages go to `erros`. Returns the exit code: 0 when written.
int gravaDocumentoEmPdf(const QString& pastaDados, const QString& numero, const QString& arquivo,
                        QTextStream& erros);

} // namespace zove
