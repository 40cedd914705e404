#pragma once
// The per-user settings store: one text value per section and key, kept between runs under the
// application name "PYXOL".
#include <QString>
#include <memory>

class QSettings;

namespace zove {

class Configuracoes {
public:
    virtual ~Configuracoes() = default;
    virtual QString ler(const QString& secao, const QString& chave, const QString& padrao = {}) const = 0;
    virtual void gravar(const QString& secao, const QString& chave, const QString& valor) = 0;
};

class ConfiguracoesQt : public Configuracoes {
public:
    // The user's own store (~/.config/PYXOL.ini on Linux).
    ConfiguracoesQt();
    // A store kept in the given INI file.
    explicit ConfiguracoesQt(const QString& arquivoIni);
    ~ConfiguracoesQt() override;

    QString ler(const QString& secao, const QString& chave, const QString& padrao = {}) const override;
    void gravar(const QString& secao, const QString& chave, const QString& valor) override;

    static constexpr const char* Aplicacao = "PYXOL";

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace zove
