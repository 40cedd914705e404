#pragma once
// What the search window asks of the entry form: open a saved document in it, or print a saved
// document without preview. The program gives the real entry form; tests give a recording double.
#include <QString>

class QWidget;

namespace zove {

// The outcome of printing one saved document.
struct ImpressaoDocumento {
    bool impresso = false;
    // The PDF file the page went to when the machine has no printer; empty when it went to a printer.
    QString arquivoPdf;
    // The queue that accepted the job and the spooler's job id.
    QString fila;
    int trabalho = 0;
    // Why it was not printed.
    QString motivo;
};

class FormularioDocumento {
public:
    virtual ~FormularioDocumento() = default;

    // Shows the entry form modally with the saved document numDocumento loaded.
    virtual void abrir(QWidget* pai, const QString& numDocumento) = 0;

    // Prints the saved document numDocumento without preview and closes the form again. Without a
    // printer the page goes to a PDF file of the document's own. When it was not printed the form has
    // already told the user why. The printed mark is the caller's to record (a batch records all of
    // its marks in one change of the table).
    virtual ImpressaoDocumento imprimir(QWidget* pai, const QString& numDocumento) = 0;
};

} // namespace zove
