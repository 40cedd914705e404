#pragma once
// File dialogs. Filters are written as pairs "description|pattern|description|pattern...", the form
// the program's texts use; the answer is the chosen path, or an empty text when the user cancels.
#include <QString>

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
};

} // namespace zove
