#include "data/PastaDeDados.h"

#include "data/ArquivoDeTabela.h"
#include "data/CadastroContribuintes.h"
#include "tabulon/ErroExecucao.h"
#include "tabulon/Funcoes.h"
#include "tabulon/Init.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

#ifndef ZOVE_COMPARTILHADO_RELATIVO
#define ZOVE_COMPARTILHADO_RELATIVO "../share/zove"
#endif

namespace zove {

namespace {

// A path as typed, made absolute from `base` ("~/" is the user's home).
QString absoluto(const QString& caminho, const QString& base, const QString& pessoal) {
    QString c = caminho.trimmed();
    if (c == QLatin1String("~") || c.startsWith(QLatin1String("~/")))
        c = pessoal + c.mid(1);
    return QDir::cleanPath(QDir(base).absoluteFilePath(c));
}

QByteArray resumo(const QByteArray& conteudo) {
    return QCryptographicHash::hash(conteudo, QCryptographicHash::Sha256).toHex();
}

bool le(const QString& caminho, QByteArray* conteudo) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    *conteudo = f.readAll();
    return f.error() == QFileDevice::NoError;
}

// The table's own digest line checks the content it precedes.
bool digestConfere(const QString& caminho) {
    try {
        return tabulon::Init().ValidaHashDeArchivoMD5(caminho);
    } catch (const tabulon::ErroExecucao&) {
        return false;
    }
}

void sincronizaPasta(const QString& pasta) {
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(pasta).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(pasta);
#endif
}

// The manifest: "<sha256>  <table>" per line, as sha256sum writes it.
QHash<QString, QByteArray> leManifesto(const QString& pasta) {
    QHash<QString, QByteArray> m;
    QByteArray conteudo;
    if (!le(QDir(pasta).filePath(QLatin1String(ArquivoTabelasEntregues)), &conteudo))
        return m;
    for (const QByteArray& linha : conteudo.split('\n')) {
        const qsizetype espaco = linha.indexOf("  ");
        if (espaco == 64)
            m.insert(QString::fromUtf8(linha.mid(66)), linha.left(64));
    }
    return m;
}

QByteArray manifesto(const QHash<QString, QByteArray>& m) {
    QByteArray conteudo;
    for (const auto& tabela : tabulon::Init::Tabelas) {
        const auto it = m.constFind(QString::fromLatin1(tabela.arquivo));
        if (it != m.constEnd())
            conteudo += it.value() + "  " + tabela.arquivo + '\n';
    }
    return conteudo;
}

// Puts `conteudo` (the delivered table, digest already checked) in place of `destino`: whole in a
// temporary file beside it, flushed, read back and checked, then renamed over the target. The old
// content, when there is one, is first kept as a dated copy. Returns the reason on failure.
QString instala(const QString& pasta, const QString& nome, const QByteArray& conteudo,
                const QByteArray* anterior, const QDateTime& agora) {
    const QString destino = QDir(pasta).filePath(nome);
    QTemporaryFile temporario(destino + QStringLiteral(".XXXXXX"));
    if (!temporario.open())
        return tabulon::motivoEmPortugues(temporario.errorString());
    if (temporario.write(conteudo) != conteudo.size() || !temporario.flush())
        return QStringLiteral("O disco está cheio ou não aceita gravação");
#ifdef Q_OS_UNIX
    if (::fsync(temporario.handle()) != 0)
        return tabulon::motivoEmPortugues(QString::fromLocal8Bit(std::strerror(errno)));
#endif
    temporario.close();
    // A temporary file is private to its owner; the table keeps the mode the one it replaces had.
    temporario.setPermissions(anterior ? QFileInfo(destino).permissions()
                                       : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ReadGroup | QFileDevice::ReadOther);
    QByteArray gravado;
    if (!le(temporario.fileName(), &gravado) || gravado != conteudo || !digestConfere(temporario.fileName()))
        return QStringLiteral("a cópia gravada não confere com a tabela entregue");
    if (anterior) {
        const QString copia = cadastro::nomeCopiaDeSeguranca(pasta, nome, agora);
        QString erro;
        if (!tabulon::gravaArquivoAtomico(QDir(pasta).filePath(copia), *anterior, &erro))
            return erro;
    }
#ifdef Q_OS_UNIX
    // Replaces the target in one step; QFile::rename would refuse an existing target.
    if (::rename(QFile::encodeName(temporario.fileName()).constData(),
                 QFile::encodeName(destino).constData()) != 0)
        return tabulon::motivoEmPortugues(QString::fromLocal8Bit(std::strerror(errno)));
    temporario.setAutoRemove(false);
    sincronizaPasta(pasta);
    return {};
#else
    QString erro;
    return tabulon::gravaArquivoAtomico(destino, conteudo, &erro) ? QString() : erro;
#endif
}

// Temporary files of a table write that was killed midway ("mab_arrec.pRBVwl").
void removeTemporarios(const QString& pasta, const QString& nome) {
    QDir dir(pasta);
    const QStringList restos = dir.entryList({nome + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden);
    for (const QString& r : restos)
        QFile::remove(dir.filePath(r));
}

} // namespace

QString caminhoCompartilhadoRelativo() {
    return QStringLiteral(ZOVE_COMPARTILHADO_RELATIVO);
}

QString pastaCompartilhadaInstalada(const QString& pastaPrograma) {
    if (pastaPrograma.isEmpty() || QFileInfo::exists(QDir(pastaPrograma).filePath(QStringLiteral("Dados"))))
        return {};
    const QString compartilhada =
        QDir::cleanPath(QDir(pastaPrograma).filePath(caminhoCompartilhadoRelativo()));
    if (!QFileInfo(QDir(compartilhada).filePath(QStringLiteral("Dados/PARAMETROS"))).isFile())
        return {};
    return compartilhada;
}

EscolhaPastaDados escolhePastaDados(const EntradaPastaDados& e) {
    EscolhaPastaDados escolha;
    if (!e.opcaoDados.trimmed().isEmpty()) {
        escolha.origem = OrigemPastaDados::OpcaoDados;
        escolha.pasta = absoluto(e.opcaoDados, e.pastaAtual, e.pastaPessoal);
        return escolha;
    }
    if (!e.chaveConfiguracao.trimmed().isEmpty()) {
        escolha.origem = OrigemPastaDados::Configuracao;
        escolha.pasta = absoluto(e.chaveConfiguracao, e.pastaPessoal, e.pastaPessoal);
        return escolha;
    }
    const QString compartilhada = pastaCompartilhadaInstalada(e.pastaPrograma);
    if (!compartilhada.isEmpty() && !e.pastaAplicacao.isEmpty()) {
        escolha.origem = OrigemPastaDados::PastaDoUsuario;
        escolha.pasta = QDir::cleanPath(e.pastaAplicacao + QStringLiteral("/Dados"));
        escolha.tabelasEntregues = compartilhada + QStringLiteral("/Dados");
        return escolha;
    }
    // Also when nothing is there: the start-up then names the missing files beside the program.
    escolha.origem = OrigemPastaDados::AoLadoDoPrograma;
    escolha.pasta = QDir::cleanPath(e.pastaPrograma + QStringLiteral("/Dados"));
    return escolha;
}

QString motivoDaPasta(OrigemPastaDados origem) {
    switch (origem) {
    case OrigemPastaDados::OpcaoDados:
        return QStringLiteral("da opção --dados");
    case OrigemPastaDados::Configuracao:
        return QStringLiteral("da chave PastaDados da seção [ZOVE] de PYXOL.ini");
    case OrigemPastaDados::AoLadoDoPrograma:
        return QStringLiteral("ao lado do programa");
    case OrigemPastaDados::PastaDoUsuario:
        return QStringLiteral("da pasta do usuário");
    }
    return {};
}

QString arquivoEntregue(const QString& pastaPrograma, const QString& nome) {
    const QString aoLado = QDir(pastaPrograma).filePath(nome);
    if (QFileInfo::exists(aoLado))
        return aoLado;
    const QString compartilhada = pastaCompartilhadaInstalada(pastaPrograma);
    if (!compartilhada.isEmpty() && QFileInfo::exists(QDir(compartilhada).filePath(nome)))
        return QDir(compartilhada).filePath(nome);
    return aoLado;
}

QStringList AtualizacaoPastaDados::avisos(const QString& pasta) const {
    QStringList linhas;
    if (!atualizadas.isEmpty()) {
        linhas << QStringLiteral("Tabelas de referência atualizadas com as da nova versão do programa: %1. "
                                 "As anteriores ficaram guardadas em %2 como cópias datadas "
                                 "(<tabela>_copia_AAAAMMDD_HHMMSS).")
                      .arg(atualizadas.join(QStringLiteral(", ")), QDir::toNativeSeparators(pasta));
    }
    linhas << problemas;
    return linhas;
}

AtualizacaoPastaDados atualizaPastaDoUsuario(const QString& entregues, const QString& pasta,
                                             const QDateTime& agora) {
    AtualizacaoPastaDados r;
    if (!QFileInfo::exists(pasta)) {
        if (!QDir().mkpath(pasta)) {
            r.problemas << QStringLiteral("Não foi possível criar a pasta de dados %1.")
                               .arg(QDir::toNativeSeparators(pasta));
            return r;
        }
        r.criada = true;
    }
    const QHash<QString, QByteArray> anterior = leManifesto(pasta);
    QHash<QString, QByteArray> atual = anterior;
    for (const auto& tabela : tabulon::Init::Tabelas) {
        const QString nome = QString::fromLatin1(tabela.arquivo);
        const QString origem = QDir(entregues).filePath(nome);
        const QString destino = QDir(pasta).filePath(nome);
        // The saved documents and taxpayers are the user's: only a missing file is created.
        if (!tabela.comDigest && QFileInfo::exists(destino))
            continue;
        // The lock keeps a second copy of the program starting at the same moment out of the table.
        BloqueioTabela bloqueio(pasta, nome);
        QString erroBloqueio;
        if (!bloqueio.trava(std::chrono::seconds(10), &erroBloqueio)) {
            r.problemas << QStringLiteral("A tabela %1 da pasta de dados não foi conferida: %2")
                               .arg(nome, erroBloqueio);
            continue;
        }
        if (tabela.comDigest)
            removeTemporarios(pasta, nome);
        const bool existe = QFileInfo::exists(destino);
        if (!tabela.comDigest && existe)
            continue;
        QByteArray entregue;
        if (!le(origem, &entregue)) {
            r.problemas << QStringLiteral("A tabela %1 entregue com o programa não pôde ser lida (%2).")
                               .arg(nome, QDir::toNativeSeparators(origem));
            continue;
        }
        if (!tabela.comDigest) {
            QString erro;
            if (!tabulon::gravaArquivoAtomico(destino, entregue, &erro))
                r.problemas << QStringLiteral("Não foi possível criar a tabela %1 na pasta de dados: %2")
                                   .arg(nome, erro);
            continue;
        }
        if (!digestConfere(origem)) {
            r.problemas << QStringLiteral("A tabela %1 entregue com o programa está corrompida (o digest não "
                                          "confere) e não foi copiada para a pasta de dados.")
                               .arg(nome);
            continue;
        }
        const QByteArray resumoEntregue = resumo(entregue);
        QByteArray doUsuario;
        if (existe) {
            if (!le(destino, &doUsuario)) {
                r.problemas << QStringLiteral("A tabela %1 da pasta de dados não pôde ser lida.").arg(nome);
                continue;
            }
            if (doUsuario == entregue) {
                atual.insert(nome, resumoEntregue);
                continue;
            }
            // The package has not changed this table since it was last put in place: the copy there
            // now was put there on purpose.
            if (anterior.value(nome) == resumoEntregue && digestConfere(destino))
                continue;
        }
        const QString erro = instala(pasta, nome, entregue, existe ? &doUsuario : nullptr, agora);
        if (!erro.isEmpty()) {
            r.problemas << QStringLiteral("Não foi possível atualizar a tabela %1 na pasta de dados: %2")
                               .arg(nome, erro);
            continue;
        }
        atual.insert(nome, resumoEntregue);
        if (existe)
            r.atualizadas << nome;
    }
    if (atual != anterior || r.criada) {
        // Without it the next start takes every delivered table that differs from the user's copy as new;
        // no table is lost either way, so a failure here is not reported.
        tabulon::gravaArquivoAtomico(QDir(pasta).filePath(QLatin1String(ArquivoTabelasEntregues)),
                                     manifesto(atual));
    }
    return r;
}

} // namespace zove
