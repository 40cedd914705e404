#pragma once
// File dialogs. Filters are written as pairs "description|pattern|description|pattern...", the form
// the program's texts use; the answer is the chosen path, or an empty text when the user cancels.
#include <QString>
#include <memory>

class QFileDialog;
class QWidget;

namespace zove {

class DialogosArquivo {
public:
    virtual ~DialogosArquivo() = default;
    // A file to read: it must exist.
    virtual QString abrir(QWidget* pai, const QString& titulo, const QString& filtro,
                          const QString& nomeInicial) = 0;
    // A file to write: it may not exist yet.
    virtual QString salvar(QWidget* pai, const QString& titulo, const QString& filtro,
                           const QString& nomeInicial) = 0;
};

class DialogosArquivoQt : public DialogosArquivo {
public:
    QString abrir(QWidget* pai, const QString& titulo, const QString& filtro,
                  const QString& nomeInicial) override;
    QString salvar(QWidget* pai, const QString& titulo, const QString& filtro,
                   const QString& nomeInicial) override;

    // "Texto (TXT)|*.txt|Todos|*.*" -> "Texto (TXT) (*.txt);;Todos (*.*)"
    static QString filtroQt(const QString& filtro);
    // The extension of the filter's first pattern ("*.txt" -> "txt"); empty when it names none.
    static QString sufixoPadrao(const QString& filtro);
    // The save dialog `salvar` shows: a name typed without an extension gets the filter's own, so the
    // file is found again by a dialog showing that filter.
    static std::unique_ptr<QFileDialog> montaDialogoSalvar(QWidget* pai, const QString& titulo,
                                                           const QString& filtro, const QString& nomeInicial);
};

} // namespace zove
