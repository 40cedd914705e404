#include "validation/CodigoBarras.h"

namespace zove {

qint16 somaDigitos(qint16 numero) {
    int resto = numero < 0 ? -static_cast<int>(numero) : numero;
    int soma = 0;
    while (resto > 0) {
        soma += resto % 10;
        resto /= 10;
    }
    return static_cast<qint16>(soma);
}

qint16 calculaDVModulo10(const QString& digitos) {
    if (digitos.isEmpty())
        return 0;
    int total = 0;
    qint16 peso = 2;
    for (const QChar c : digitos) {
        const qint16 d =
            (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ? static_cast<qint16>(c.unicode() - u'0') : 0;
        total += somaDigitos(static_cast<qint16>(d * peso));
        peso = peso == 2 ? 1 : 2;
    }
    const int dv = 10 - total % 10;
    return static_cast<qint16>(dv == 10 ? 0 : dv);
}

QString montaCodigoBarras(const QString& semDV, QString& codigo) {
    const qint16 dv = calculaDVModulo10(semDV);
    codigo = semDV.left(3) + QString::number(dv) + semDV.mid(3);
    QString linha;
    linha.reserve(56);
    for (qsizetype inicio = 0; inicio < 44; inicio += 11) {
        const QString bloco = codigo.mid(inicio, 11);
        linha += bloco + QLatin1Char('-') + QString::number(calculaDVModulo10(bloco)) + QLatin1Char(' ');
    }
    return linha;
}

std::optional<QString> erroTamanhoCodigoBarras(const QString& codigo) {
    if (codigo.size() == 44)
        return std::nullopt;
    return QStringLiteral("Erro na montagem do código de barras!") + QLatin1Char('\n') +
           QStringLiteral("tamanho encontrado: ") + QString::number(codigo.size());
}

} // namespace zove
