#pragma once
// The spooler's side of a print run: what a queue says of itself before printing, and whether it took
// the job. A page handed to a printer object is not proof that anything will print; the job id the
// spooler gives back is.
#include <QByteArray>
#include <QMarginsF>
#include <QString>
#include <optional>

namespace zove {

// A print queue as the spooler reports it.
struct EstadoFila {
    bool existe = false;
    bool aceitaTrabalhos = false;
    // A stopped queue still takes jobs and holds them until it is started again.
    bool parada = false;
    // Why the queue cannot be used, or the printer's own state message, in the user's words.
    QString motivo;
    // What the printer cannot print on an A4 sheet, in millimetres, when it says so.
    std::optional<QMarginsF> margensFisicas;
};

// The outcome of handing a page to a queue.
struct EnvioTrabalho {
    // The spooler's job id; 0 when the job was not created.
    int trabalho = 0;
    // Why not, in Portuguese.
    QString erro;
    bool aceito() const { return trabalho > 0; }
};

namespace cups {

// True when a spooler answers (the machine runs CUPS, or CUPS_SERVER points at one).
bool servidorResponde();
// The spooler's default queue; empty when there is none.
QString filaPadrao();
EstadoFila consulta(const QString& fila);
// Creates a job on `fila` with the PDF as its only document. The job exists once this returns an id.
EnvioTrabalho enviaPdf(const QString& fila, const QByteArray& pdf, const QString& titulo, int copias);

} // namespace cups

} // namespace zove
