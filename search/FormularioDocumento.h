#pragma once
// What the search window asks of the entry form: open a saved document in it, or print a saved
// document without preview. The program gives the real entry form; tests give a recording double.
#include <QString>

class QWidget;

namespace zove {

class FormularioDocumento {
public:
    virtual ~FormularioDocumento() = default;

    // Shows the entry form modally with the saved document numDocumento loaded.
    virtual void abrir(QWidget* pai, const QString& numDocumento) = 0;

    // Prints the saved document numDocumento without preview and closes the form again. With
    // arquivoPdf not empty the page goes to that PDF file instead of the printer. True when the
    // document was printed; on false the form has already told the user why.
    virtual bool imprimir(QWidget* pai, const QString& numDocumento, const QString& arquivoPdf) = 0;
};

} // namespace zove
