#include "platform/Configuracoes.h"

#include <QSettings>

namespace zove {

ConfiguracoesQt::ConfiguracoesQt()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QString::fromLatin1(Aplicacao))) {}

ConfiguracoesQt::ConfiguracoesQt(const QString& arquivoIni)
    : m_settings(std::make_unique<QSettings>(arquivoIni, QSettings::IniFormat)) {}

ConfiguracoesQt::~ConfiguracoesQt() = default;

QString ConfiguracoesQt::ler(const QString& secao, const QString& chave, const QString& padrao) const {
    return m_settings->value(secao + QLatin1Char('/') + chave, padrao).toString();
}

void ConfiguracoesQt::gravar(const QString& secao, const QString& chave, const QString& valor) {
    m_settings->setValue(secao + QLatin1Char('/') + chave, valor);
    m_settings->sync();
}

} // namespace zove
