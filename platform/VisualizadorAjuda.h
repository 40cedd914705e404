#pragma once
// The help viewer: shows one of the HTML pages delivered beside the program.
#include <QDialog>
#include <QHash>
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
// Each document (the help, the fee table) has its own window, so each keeps its own home page and
// history; showing a document whose window is open brings that window up as it is.
class VisualizadorAjudaQt : public VisualizadorAjuda {
public:
    ~VisualizadorAjudaQt() override;
    bool mostrar(QWidget* pai, const QString& arquivo) override;

    // The window of a document while it is open (the tests read what it shows); null otherwise.
    QDialog* janela(const QString& arquivo) const;

private:
    static QString chave(const QString& arquivo);
    QDialog* criaJanela(QWidget* pai, const QString& arquivo);

    QHash<QString, QPointer<QDialog>> m_janelas;
};

} // namespace zove
