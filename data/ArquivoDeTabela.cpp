#include "data/ArquivoDeTabela.h"

#include "tabulon/Registros.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHashFunctions>
#include <QRegularExpression>

namespace zove {

namespace {

// A 64-bit hash of the bytes: it is only asked when size and time agree, so a change that keeps both is
// caught without the cost of a cryptographic digest on every save.
QByteArray resumoDe(QByteArrayView bytes) {
    const size_t a = qHashBits(bytes.data(), static_cast<size_t>(bytes.size()), 0x5a4f56u);
    return QByteArray(reinterpret_cast<const char*>(&a), sizeof a);
}

} // namespace

AssinaturaArquivo AssinaturaArquivo::doArquivo(const QString& caminho) {
    AssinaturaArquivo a;
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return a;
    const QByteArray conteudo = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return a;
    a.tamanho = conteudo.size();
    a.modificado = QFileInfo(caminho).lastModified();
    a.resumo = resumoDe(conteudo);
    return a;
}

AssinaturaArquivo AssinaturaArquivo::doConteudo(const QString& caminho, const QByteArray& conteudo) {
    AssinaturaArquivo a;
    a.tamanho = conteudo.size();
    a.modificado = QFileInfo(caminho).lastModified();
    a.resumo = resumoDe(conteudo);
    return a;
}

QString BloqueioTabela::caminho(const QString& pasta, const QString& tabela) {
    return QDir(pasta).filePath(tabela + QStringLiteral(".lock"));
}

BloqueioTabela::BloqueioTabela(const QString& pasta, const QString& tabela)
    : m_tabela(tabela), m_arquivo(caminho(pasta, tabela)) {
    m_arquivo.setStaleLockTime(kValidadeDoBloqueio);
}

bool BloqueioTabela::trava(std::chrono::milliseconds espera, QString* erro) {
    if (m_arquivo.tryLock(espera))
        return true;
    switch (m_arquivo.error()) {
    case QLockFile::LockFailedError:
        *erro =
            QStringLiteral("A tabela %1 está sendo gravada por outra cópia do programa e não foi liberada "
                           "em %2 segundos; nada foi gravado. Tente novamente.")
                .arg(m_tabela)
                .arg((espera.count() + 999) / 1000);
        break;
    case QLockFile::PermissionError:
        // The lock file cannot be created: the folder refuses writing (its permissions or a read-only
        // file system), and it is the folder the user can do something about.
        *erro =
            QStringLiteral("A pasta de dados %1 não pode ser gravada (sem permissão de gravação ou somente "
                           "para leitura); a tabela %2 não foi alterada.")
                .arg(QDir::toNativeSeparators(QFileInfo(m_arquivo.fileName()).absolutePath()), m_tabela);
        break;
    default:
        *erro = QStringLiteral("Não foi possível reservar a tabela %1 para gravação (%2).")
                    .arg(m_tabela, QDir::toNativeSeparators(m_arquivo.fileName()));
        break;
    }
    return false;
}

void removeTemporariosAbandonados(const QString& pasta) {
    const QDir dir(pasta);
    for (const QString& tabela :
         {QString::fromLatin1(tabulon::CONTRIBUINTE::arquivo), QString::fromLatin1(tabulon::ZOV::arquivo)}) {
        // The name the save file gives its temporary: the target's name, a dot and six letters or digits.
        const QRegularExpression temporario(QStringLiteral("^%1(_temp)?\\.[A-Za-z0-9]{6}$").arg(tabela),
                                            QRegularExpression::CaseInsensitiveOption);
        QStringList sobras;
        for (const QString& nome : dir.entryList(QDir::Files | QDir::Hidden)) {
            if (temporario.match(nome).hasMatch())
                sobras.append(nome);
        }
        if (sobras.isEmpty())
            continue;
        BloqueioTabela bloqueio(pasta, tabela);
        QString erro;
        if (!bloqueio.trava(std::chrono::milliseconds(0), &erro))
            continue;
        for (const QString& nome : sobras)
            QFile::remove(dir.filePath(nome));
    }
}

} // namespace zove
