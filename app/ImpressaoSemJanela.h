#pragma once
// "zove --imprimir LISTA [--impressora FILA]": saved documents printed on a queue without any window,
// one print run per document, as the search window's batch print does.
#include <QList>
#include <QString>
#include <optional>

class QTextStream;

namespace zove {

// Exit codes of --imprimir.
enum CodigoImpressao : int {
    ImpressaoCompleta = 0,      // every job was accepted
    ImpressaoIncompleta = 1,    // some document was not printed (or the data could not be loaded)
    ImpressaoListaInvalida = 2, // the list of numbers cannot be read
    ImpressaoSemImpressora = 3, // the machine has no printer: use --pdf
    ImpressaoFilaRecusada = 4,  // the queue does not exist or does not take jobs; nothing was sent
};

// "3,7,10-20" as the document numbers in that order (a range counts up). Nothing, with the reason in
// *erro, when any part is not a positive number or a range runs backwards.
std::optional<QList<qint64>> interpretaListaDeDocumentos(const QString& lista, QString* erro);

// Prints the documents of `lista` from the tables of `pastaDados` on `fila` (the default queue when
// empty). One line per document goes to `saida`; messages go to `erros`. Returns a CodigoImpressao.
int imprimeSemJanela(const QString& pastaDados, const QString& lista, const QString& fila, QTextStream& saida,
                     QTextStream& erros);

} // namespace zove
