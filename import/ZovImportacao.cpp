#include "import/ZovImportacao.h"

#include "data/LoteDocumentos.h"
#include "data/Referencias.h"
#include "import/LeitorDeLinhas.h"
#include "import/RegistroZove.h"
#include "tabulon/Funcoes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <cerrno>
#include <cstring>
#include <optional>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zove {

namespace {

constexpr qsizetype kIntervaloProgresso = 256;

QString motivoDoSistema(int erro) {
    return tabulon::motivoEmPortugues(QString::fromLocal8Bit(std::strerror(erro)));
}

QString naoEArquivoComum(const QString& caminho) {
    return QStringLiteral(
               "Não é um arquivo comum: %1 (dispositivos, pipes e outros arquivos especiais não são "
               "importados)")
        .arg(caminho);
}

// Opens the file for reading when it is a regular file; otherwise the line for the file's log. The
// check is made on the file opened, and a pipe is opened without waiting for a writer: a device or a
// pipe is never read, even when it takes the file's place after it was looked up.
std::optional<QString> abreArquivoComum(const QString& caminho, QFile& arquivo) {
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(caminho).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return QStringLiteral("Erro na abertura do arquivo \n") + motivoDoSistema(errno);
    struct stat estado;
    if (::fstat(fd, &estado) != 0 || !S_ISREG(estado.st_mode)) {
        ::close(fd);
        return naoEArquivoComum(caminho);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!arquivo.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return QStringLiteral("Erro na abertura do arquivo \n") +
               tabulon::motivoEmPortugues(arquivo.errorString());
    }
#else
    arquivo.setFileName(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        return QStringLiteral("Erro na abertura do arquivo \n") +
               tabulon::motivoEmPortugues(arquivo.errorString());
#endif
    return std::nullopt;
}

// Why nothing can be stored in the data folder, or nothing when it can be written. Asked before the
// batch is stored, so a read-only folder is named as such rather than through the lock file the
// store would fail to create in it.
std::optional<QString> pastaNaoGravavel(const QString& pasta) {
    const QString nome = QDir::toNativeSeparators(pasta);
#ifdef Q_OS_UNIX
    if (::access(QFile::encodeName(pasta).constData(), W_OK) == 0)
        return std::nullopt;
    const int erro = errno;
    if (erro == EROFS)
        return QStringLiteral(
                   "A pasta de dados %1 é somente leitura (está num sistema de arquivos montado só "
                   "para leitura) e nada pode ser gravado nela.")
            .arg(nome);
    if (erro == EACCES || erro == EPERM)
        return QStringLiteral("A pasta de dados %1 é somente leitura para este usuário (sem permissão de "
                              "gravação) e nada pode ser gravado nela.")
            .arg(nome);
    return QStringLiteral("A pasta de dados %1 não pode ser gravada: %2.").arg(nome, motivoDoSistema(erro));
#else
    if (QFileInfo(pasta).isWritable())
        return std::nullopt;
    return QStringLiteral("A pasta de dados %1 é somente leitura e nada pode ser gravado nela.").arg(nome);
#endif
}

} // namespace

ZovImportacao::ZovImportacao(Referencias& refs, std::function<QDate()> hoje)
    : m_refs(refs), m_hoje(hoje ? std::move(hoje) : [] { return QDate::currentDate(); }) {
    m_gravaLote = [this](LoteDocumentos& lote) { return m_refs.oZovEnv().IncluiDocumentos(lote); };
}

bool ZovImportacao::ImportaDados(const QString& caminho) {
    m_logs.Reset();
    m_zovs.Reset();
    m_progresso = {};
    m_cancelado = false;

    const QFileInfo info(caminho);
    if (!info.exists() || info.isDir()) {
        m_logs.NewLog(QStringLiteral("Arquivo inexistente: ") + caminho.toLower());
        return false;
    }
    if (!info.isFile()) {
        m_logs.NewLog(naoEArquivoComum(caminho));
        return false;
    }
    QFile arquivo;
    if (const auto problema = abreArquivoComum(caminho, arquivo)) {
        m_logs.NewLog(*problema);
        return false;
    }

    LoteDocumentos lote;
    const QSet<QString> oferecidas = receitasOferecidas(m_refs);
    const ContextoRegras contexto{&m_refs, m_hoje(), &lote, &oferecidas};
    const auto avisa = [this] { return !m_aoProgredir || m_aoProgredir(m_progresso); };

    LeitorDeLinhas leitor(arquivo, tamanhoMaximoLinha);
    QByteArray linha;
    while (leitor.proxima(linha)) {
        ZovRegras zov(contexto);
        zov.NewZov(registro::textoDaLinha(linha));
        ++m_progresso.lidos;
        ++(zov.Status() == ZovRegras::Importado ? m_progresso.validos : m_progresso.invalidos);
        m_zovs.Add(zov);
        if (m_progresso.lidos % kIntervaloProgresso == 0 && !avisa()) {
            m_cancelado = true;
            break;
        }
    }
    const bool falhaNaLeitura = arquivo.error() != QFileDevice::NoError;
    const QString erroDeLeitura = tabulon::motivoEmPortugues(arquivo.errorString());
    arquivo.close();
    if (!m_cancelado && !avisa())
        m_cancelado = true;

    if (m_cancelado) {
        m_logs.NewLog(QStringLiteral("Importação cancelada. Nenhum ZOVE foi gravado."));
        recusaLote(QStringLiteral("Importação cancelada: o ZOVE não foi gravado."));
        return false;
    }
    if (falhaNaLeitura) {
        m_logs.NewLog(QStringLiteral("Erro na leitura do arquivo \n") + erroDeLeitura);
        recusaLote(QStringLiteral("O arquivo não pôde ser lido até o fim: o ZOVE não foi gravado."));
        return false;
    }
    // Its records were read as Windows-1252 and mean nothing: none is listed.
    if (leitor.emUtf8()) {
        m_zovs.Reset();
        m_progresso = {};
        m_logs.NewLog(
            QStringLiteral("O arquivo %1 está em UTF-8; o arquivo de ZOVE deve estar em Windows-1252 "
                           "(ANSI). Salve-o nessa codificação e importe-o de novo. Nenhum ZOVE foi "
                           "gravado.")
                .arg(caminho));
        return false;
    }
    if (m_zovs.invalidosSemLinhas() > 0) {
        const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
        m_logs.NewLog(
            QStringLiteral("Mais %1 registros inválidos além dos primeiros %2, sem as linhas de erro.")
                .arg(brasil.toString(m_zovs.invalidosSemLinhas()),
                     brasil.toString(ZovsReg::invalidosComLinhas)));
    }
    if (lote.vazio())
        return true;

    ResultadoAlteracao resultado;
    if (const auto problema = pastaNaoGravavel(m_refs.sDirDados))
        resultado = ResultadoAlteracao::falha(*problema);
    else
        resultado = m_gravaLote(lote);
    if (!resultado) {
        m_logs.NewLog(QStringLiteral("Os ZOVEs válidos não foram gravados: ") + resultado.erro);
        recusaLote(QStringLiteral("ZOVE não gravado: ") + resultado.erro);
        return false;
    }
    return true;
}

void ZovImportacao::recusaLote(const QString& motivo) {
    const qsizetype recusados = m_zovs.recusaLote(motivo);
    m_progresso.validos -= recusados;
    m_progresso.invalidos += recusados;
}

} // namespace zove
