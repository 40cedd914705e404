#pragma once
// The help viewer: shows one of the HTML pages delivered beside the program.
#include <QDialog>
#include <QPointer>
#include <QString>

class QTextBrowser;
class QWidget;

namespace zove {

class VisualizadorAjuda {
public:
    virtual ~VisualizadorAjuda() = default;
    // Shows the page without blocking. False when the page cannot be shown.
    virtual bool mostrar(QWidget* pai, const QString& arquivo) = 0;
};

// A window of the program with a QTextBrowser, rather than the desktop's browser: the help must work
// on a clerk's machine that has no browser or desktop set up, and its table of contents, links and
// back/forward stay inside the one window. Addresses on the web are handed to the desktop.
class VisualizadorAjudaQt : public VisualizadorAjuda {
public:
    ~VisualizadorAjudaQt() override;
    bool mostrar(QWidget* pai, const QString& arquivo) override;

    // The window, once it was shown (the tests read what it shows).
    QDialog* janela() const { return m_janela; }

private:
    QPointer<QDialog> m_janela;
    QTextBrowser* m_navegador = nullptr;
};

} // namespace zove
