#include "support/TestSupport.h"

#include "tabulon/Funcoes.h"
#include "tabulon/MD5Driver.h"
#include "tabulon/Texto1252.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

namespace teste {

QString pastaDadosEntregue() {
    return QStringLiteral(ZOVE_SOURCE_DIR "/dados");
}

PastaDados::PastaDados() {
    if (!m_dir.isValid())
        throw std::runtime_error("temporary folder");
    m_caminho = m_dir.path() + QStringLiteral("/Dados");
    QDir().mkpath(m_caminho);
    const QDir origem(pastaDadosEntregue());
    for (const QString& f : origem.entryList(QDir::Files)) {
        if (!QFile::copy(origem.filePath(f), m_caminho + QLatin1Char('/') + f))
            throw std::runtime_error("copy of the data folder");
        QFile(m_caminho + QLatin1Char('/') + f)
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                            QFileDevice::ReadOther);
    }
}

QString PastaDados::arquivo(const QString& nome) const {
    return m_caminho + QLatin1Char('/') + nome;
}

void escreveTabela(const QString& caminho, const QStringList& linhas, bool assinar) {
    QList<QByteArray> bytes;
    for (const QString& l : linhas)
        bytes.append(tabulon::codifica1252(l));
    if (assinar)
        bytes.append(QByteArray(tabulon::MD5Driver::MarcaDigest) +
                     tabulon::MD5Driver::digestDasLinhas(bytes));
    gravaArquivo(caminho, tabulon::juntaLinhas(bytes));
}

QByteArray leArquivo(const QString& caminho) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void gravaArquivo(const QString& caminho, const QByteArray& conteudo) {
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write test file");
    f.write(conteudo);
}

Execucao aguardaProcesso(QProcess& processo, int ms) {
    Execucao e;
    if (!processo.waitForFinished(ms)) {
        processo.kill();
        processo.waitForFinished();
        return e;
    }
    e.codigo = processo.exitStatus() == QProcess::NormalExit ? processo.exitCode() : -2;
    e.saida = QString::fromUtf8(processo.readAllStandardOutput());
    e.erros = QString::fromUtf8(processo.readAllStandardError());
    return e;
}

} // namespace teste
