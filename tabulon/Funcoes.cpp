#include "tabulon/Funcoes.h"

#include "tabulon/ErroExecucao.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tabulon {

QString caminhoNaPasta(const QString& pasta, const QString& nome) {
    const QString exato = QDir(pasta).filePath(nome);
    if (QFileInfo::exists(exato))
        return exato;
    const QStringList achados = QDir(pasta).entryList(QDir::Files | QDir::Hidden);
    for (const QString& f : achados) {
        if (f.compare(nome, Qt::CaseInsensitive) == 0)
            return QDir(pasta).filePath(f);
    }
    return exato;
}

QByteArray AbreArquivo(const QString& caminho) {
    QFile f(caminho);
    if (!QFileInfo(caminho).isFile())
        throw ErroExecucao(ErroExecucao::ArquivoNaoEncontrado, QStringLiteral("Arquivo não encontrado"),
                           QStringLiteral("Tabulon"));
    if (!f.open(QIODevice::ReadOnly))
        throw ErroExecucao(75, QStringLiteral("Erro de acesso ao caminho/arquivo (%1)").arg(f.errorString()),
                           QStringLiteral("Tabulon"));
    QByteArray conteudo = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw ErroExecucao(57, QStringLiteral("Erro de E/S no dispositivo (%1)").arg(f.errorString()),
                           QStringLiteral("Tabulon"));
    return conteudo;
}

QList<QByteArrayView> vistasDasLinhas(QByteArrayView conteudo) {
    QList<QByteArrayView> linhas;
    const qsizetype n = conteudo.size();
    const char* p = conteudo.data();
    qsizetype inicio = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] == '\r') {
            linhas.append(QByteArrayView(p + inicio, i - inicio));
            if (i + 1 < n && p[i + 1] == '\n')
                ++i;
            inicio = i + 1;
        }
    }
    if (inicio < n)
        linhas.append(QByteArrayView(p + inicio, n - inicio));
    return linhas;
}

QList<QByteArray> separaLinhas(const QByteArray& conteudo) {
    QList<QByteArray> linhas;
    for (QByteArrayView v : vistasDasLinhas(conteudo))
        linhas.append(v.toByteArray());
    return linhas;
}

QByteArray juntaLinhas(const QList<QByteArray>& linhas) {
    qsizetype total = 0;
    for (const QByteArray& l : linhas)
        total += l.size() + 2;
    QByteArray conteudo;
    conteudo.reserve(total);
    for (const QByteArray& l : linhas) {
        conteudo.append(l);
        conteudo.append("\r\n", 2);
    }
    return conteudo;
}

bool gravaArquivoAtomico(const QString& caminho, const QByteArray& conteudo, QString* erro) {
    QSaveFile f(caminho);
    f.setDirectWriteFallback(false);
    auto falha = [&](const QString& motivo) {
        if (erro)
            *erro = motivo;
        f.cancelWriting();
        return false;
    };
    if (!f.open(QIODevice::WriteOnly))
        return falha(f.errorString());
    if (f.write(conteudo) != conteudo.size() || !f.flush())
        return falha(f.errorString());
    // A write cut short by a full disk or a file size limit can still be reported as complete by the
    // file layer; the size on disk is the proof that the whole content is there before it replaces
    // the target.
    if (f.size() != conteudo.size())
        return falha(QStringLiteral("Gravação incompleta de %1: %2 de %3 bytes")
                         .arg(caminho)
                         .arg(f.size())
                         .arg(conteudo.size()));
    if (!f.commit()) {
        if (erro)
            *erro = f.errorString();
        return false;
    }
    return true;
}

QString semBrancos(const QString& texto) {
    qsizetype inicio = 0;
    qsizetype fim = texto.size();
    while (inicio < fim && texto.at(inicio) == QLatin1Char(' '))
        ++inicio;
    while (fim > inicio && texto.at(fim - 1) == QLatin1Char(' '))
        --fim;
    return texto.mid(inicio, fim - inicio);
}

std::optional<QDate> lerData(const QString& texto) {
    const QStringList partes = texto.trimmed().split(QLatin1Char('/'));
    if (partes.size() != 3)
        return std::nullopt;
    int numeros[3];
    for (int i = 0; i < 3; ++i) {
        const QString& p = partes[i];
        if (p.isEmpty() || p.size() > (i == 2 ? 4 : 2))
            return std::nullopt;
        for (QChar c : p) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return std::nullopt;
        }
        numeros[i] = p.toInt();
    }
    int ano = numeros[2];
    if (partes[2].size() <= 2)
        ano += ano < 30 ? 2000 : 1900;
    else if (partes[2].size() == 3 || ano < 100)
        return std::nullopt; // the regional conversion knows no year before 100
    const QDate d(ano, numeros[1], numeros[0]);
    if (!d.isValid())
        return std::nullopt;
    return d;
}

} // namespace tabulon
