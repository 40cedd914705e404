#include "tabulon/MD5Driver.h"

#include "tabulon/Funcoes.h"
#include "tabulon/Texto1252.h"

#include <QCryptographicHash>
#include <cstring>

namespace tabulon::MD5Driver {

namespace {

// Only the space counts as a blank for the trimming.
QByteArrayView semBrancos(QByteArrayView linha) {
    qsizetype inicio = 0;
    qsizetype fim = linha.size();
    while (inicio < fim && linha[inicio] == ' ')
        ++inicio;
    while (fim > inicio && linha[fim - 1] == ' ')
        --fim;
    return linha.sliced(inicio, fim - inicio);
}

} // namespace

QString BytesParaHex(QByteArrayView digest) {
    static const char minusculas[] = "0123456789abcdef";
    static const char maiusculas[] = "0123456789ABCDEF";
    QString hex;
    hex.reserve(digest.size() * 2);
    for (char c : digest) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 16) {
            hex.append(QLatin1Char('0'));
            hex.append(QLatin1Char(maiusculas[b]));
        } else {
            hex.append(QLatin1Char(minusculas[b >> 4]));
            hex.append(QLatin1Char(minusculas[b & 0x0F]));
        }
    }
    return hex;
}

QByteArray TextoParaBytes(const QString& texto) {
    return codifica1252(texto);
}

QString CalculaMD5(const QString& texto) {
    return BytesParaHex(QCryptographicHash::hash(TextoParaBytes(texto), QCryptographicHash::Md5));
}

QByteArray passoDaCadeia(QByteArrayView linha, QByteArrayView anterior) {
    QCryptographicHash md5(QCryptographicHash::Md5);
    md5.addData(semBrancos(linha));
    md5.addData(anterior);
    return md5.result().toHex().toUpper();
}

QByteArray digestDasLinhas(const QList<QByteArray>& linhas) {
    QByteArray h(Semente);
    for (const QByteArray& linha : linhas)
        h = passoDaCadeia(linha, h);
    return h;
}

Cadeia::Cadeia() : m_md5(QCryptographicHash::Md5), m_tamanho(sizeof(Semente) - 1) {
    std::memcpy(m_h, Semente, sizeof(Semente) - 1);
}

void Cadeia::passo(QByteArrayView linha) {
    static const char digitos[] = "0123456789ABCDEF";
    m_md5.reset();
    m_md5.addData(semBrancos(linha));
    m_md5.addData(valor());
    const QByteArrayView r = m_md5.resultView();
    for (qsizetype i = 0; i < r.size(); ++i) {
        const auto b = static_cast<unsigned char>(r[i]);
        m_h[2 * i] = digitos[b >> 4];
        m_h[2 * i + 1] = digitos[b & 0x0F];
    }
    m_tamanho = 2 * r.size();
}

bool ehLinhaDeDigest(QByteArrayView linha) {
    return linha.startsWith(QByteArrayView(MarcaDigest));
}

QByteArray assinaConteudo(const QByteArray& conteudo) {
    QList<QByteArray> linhas;
    for (QByteArrayView l : vistasDasLinhas(conteudo)) {
        if (!ehLinhaDeDigest(l))
            linhas.append(l.toByteArray());
    }
    linhas.append(QByteArray(MarcaDigest) + digestDasLinhas(linhas));
    return juntaLinhas(linhas);
}

} // namespace tabulon::MD5Driver
