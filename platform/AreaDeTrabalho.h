#pragma once
// The desktop shell: opens an address in the browser, or a file with the program the desktop
// associates with it.
#include <QString>

namespace zove {

class AreaDeTrabalho {
public:
    virtual ~AreaDeTrabalho() = default;
    // False when the desktop could not be asked to open it.
    virtual bool abrirEndereco(const QString& endereco) = 0;
    virtual bool abrirArquivo(const QString& caminho) = 0;
};

class AreaDeTrabalhoQt : public AreaDeTrabalho {
public:
    bool abrirEndereco(const QString& endereco) override;
    bool abrirArquivo(const QString& caminho) override;
};

} // namespace zove
