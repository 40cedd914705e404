#include "data/ConteudoTabela.h"

#include "tabulon/Init.h"
#include "tabulon/Texto1252.h"

namespace zove::conteudo {

std::optional<QString> problemaDoValor(const char* campo, const QString& valor) {
    const auto recusa = [&](const QString& motivo) {
        return QStringLiteral("O campo %1 contém %2 e não pode ser gravado.")
            .arg(QLatin1String(campo), motivo);
    };
    for (const QChar c : valor) {
        if (c == QLatin1Char('|'))
            return recusa(QStringLiteral("o caractere \"|\""));
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return recusa(QStringLiteral("uma quebra de linha"));
        if (c.isNull())
            return recusa(QStringLiteral("um caractere nulo"));
        // ASCII and the Latin-1 letters have a byte of their own; anything else is asked to the codec.
        const char16_t u = c.unicode();
        if ((u >= 0x80 && u < 0xA0) || u > 0xFF) {
            if (!tabulon::representavelEm1252(QString(c)))
                return recusa(QStringLiteral("um caractere que não existe na página de código Windows-1252"));
        }
    }
    return std::nullopt;
}

std::optional<QString> entidadeNoValor(const char* campo, const QString& valor) {
    if (!valor.contains(QLatin1Char('&')) || tabulon::Init::DecodificaTexto(valor) == valor)
        return std::nullopt;
    QString entidade = QStringLiteral("&");
    for (qsizetype i = valor.indexOf(QLatin1Char('&')); i >= 0; i = valor.indexOf(QLatin1Char('&'), i + 1)) {
        const qsizetype fim = valor.indexOf(QLatin1Char(';'), i);
        if (fim < 0)
            break;
        const QString candidata = valor.mid(i, fim - i + 1);
        if (tabulon::Init::DecodificaTexto(candidata) != candidata) {
            entidade = candidata;
            break;
        }
    }
    return QStringLiteral(
               "O campo %1 contém \"%2\", que seria lido de volta como \"%3\"; o valor não pode ser "
               "gravado.")
        .arg(QLatin1String(campo), entidade, tabulon::Init::DecodificaTexto(entidade));
}

} // namespace zove::conteudo
