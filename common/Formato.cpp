#include "common/Formato.h"

#include "tabulon/Funcoes.h"

namespace zove::formato {

bool somenteDigitos(const QString& texto) {
    return tabulon::soDigitos(texto.trimmed());
}

QString zeros(const QString& valor, int largura) {
    if (!somenteDigitos(valor))
        return valor;
    QString digitos = valor.trimmed();
    qsizetype primeiro = 0;
    while (primeiro < digitos.size() - 1 && digitos[primeiro] == QLatin1Char('0'))
        ++primeiro;
    digitos = digitos.mid(primeiro);
    if (digitos == QLatin1String("0") && largura == 0)
        return QString();
    if (digitos.size() < largura)
        digitos.prepend(QString(largura - digitos.size(), QLatin1Char('0')));
    return digitos;
}

QString mascara(const QString& numero, const QString& mascara) {
    if (!somenteDigitos(numero))
        return numero;
    qsizetype lugares = 0;
    for (qsizetype i = 0; i < mascara.size(); ++i) {
        if (mascara[i] == QLatin1Char('\\'))
            ++i;
        else if (mascara[i] == QLatin1Char('0'))
            ++lugares;
    }
    const QString digitos = zeros(numero, static_cast<int>(lugares));
    // Digits beyond the mask's places are written together with its first place (or, in a mask
    // without places, before everything).
    QString saida = lugares == 0 ? digitos : QString();
    qsizetype proximo = 0;
    for (qsizetype i = 0; i < mascara.size(); ++i) {
        const QChar c = mascara[i];
        if (c == QLatin1Char('\\')) {
            if (++i < mascara.size())
                saida.append(mascara[i]);
        } else if (c == QLatin1Char('0')) {
            const qsizetype quantos = proximo == 0 ? digitos.size() - lugares + 1 : 1;
            saida.append(digitos.mid(proximo, quantos));
            proximo += quantos;
        } else {
            saida.append(c);
        }
    }
    return saida;
}

std::optional<qint64> centavos(const QString& texto) {
    QString t = texto.trimmed();
    bool negativo = false;
    if (t.startsWith(QLatin1Char('-'))) {
        negativo = true;
        t = t.mid(1);
    }
    t.remove(QLatin1Char('.'));
    if (t.isEmpty())
        return std::nullopt;
    const qsizetype virgula = t.indexOf(QLatin1Char(','));
    QString inteiros = virgula < 0 ? t : t.left(virgula);
    QString decimais = virgula < 0 ? QString() : t.mid(virgula + 1);
    if (decimais.size() > 2 || (inteiros.isEmpty() && decimais.isEmpty()))
        return std::nullopt;
    if ((!inteiros.isEmpty() && !tabulon::soDigitos(inteiros)) ||
        (!decimais.isEmpty() && !tabulon::soDigitos(decimais)))
        return std::nullopt;
    if (inteiros.size() > 15)
        return std::nullopt;
    while (decimais.size() < 2)
        decimais.append(QLatin1Char('0'));
    const qint64 v = inteiros.toLongLong() * 100 + decimais.toLongLong();
    return negativo ? -v : v;
}

QString valor(qint64 centavos) {
    const bool negativo = centavos < 0;
    const quint64 absoluto =
        negativo ? static_cast<quint64>(-(centavos + 1)) + 1 : static_cast<quint64>(centavos);
    const QString inteiros = QString::number(absoluto / 100);
    QString agrupado;
    for (qsizetype i = 0; i < inteiros.size(); ++i) {
        if (i > 0 && (inteiros.size() - i) % 3 == 0)
            agrupado.append(QLatin1Char('.'));
        agrupado.append(inteiros[i]);
    }
    return (negativo ? QStringLiteral("-") : QString()) + agrupado + QLatin1Char(',') +
           QStringLiteral("%1").arg(absoluto % 100, 2, 10, QLatin1Char('0'));
}

} // namespace zove::formato
