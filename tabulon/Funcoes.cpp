#include "tabulon/Funcoes.h"

#include "tabulon/ErroExecucao.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cerrno>
#include <clocale>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <locale.h>
#include <unistd.h>
#endif

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
        throw ErroExecucao(
            75,
            QStringLiteral("Erro de acesso ao caminho/arquivo (%1)").arg(motivoEmPortugues(f.errorString())),
            QStringLiteral("Tabulon"));
    QByteArray conteudo = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw ErroExecucao(
            57, QStringLiteral("Erro de E/S no dispositivo (%1)").arg(motivoEmPortugues(f.errorString())),
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

namespace {

// The English texts of the C library and of Qt for the failures a table write can meet.
QHash<QString, QString> motivosTraduzidos() {
    QHash<QString, QString> t;
    const struct {
        int numero;
        const char* texto;
    } doSistema[] = {
        {ENOENT, "Arquivo ou pasta inexistente"},
        {EACCES, "Permissão negada"},
        {EPERM, "Operação não permitida"},
        {EROFS, "Sistema de arquivos somente para leitura"},
        {ENOSPC, "Não há espaço disponível no dispositivo"},
        {EDQUOT, "Cota de disco excedida"},
        {EFBIG, "Arquivo grande demais"},
        {EISDIR, "É uma pasta"},
        {ENOTDIR, "Não é uma pasta"},
        {EEXIST, "O arquivo já existe"},
        {EIO, "Erro de entrada/saída"},
        {ENAMETOOLONG, "Nome de arquivo longo demais"},
        {EMFILE, "Arquivos abertos demais"},
        {ENFILE, "Arquivos abertos demais no sistema"},
        {EBUSY, "Dispositivo ou recurso ocupado"},
        {EXDEV, "Ligação inválida entre dispositivos"},
        {ELOOP, "Níveis demais de ligações simbólicas"},
        {ETXTBSY, "Arquivo de texto ocupado"},
        {EINVAL, "Argumento inválido"},
    };
    // The texts as the C library writes them in the current language (which may already be a
    // translation of its own, worded differently) and with no translation installed.
    for (const auto& m : doSistema)
        t.insert(QString::fromLocal8Bit(std::strerror(m.numero)), QString::fromUtf8(m.texto));
#ifdef Q_OS_UNIX
    const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    for (const auto& m : doSistema)
        t.insert(QString::fromLocal8Bit(strerror_l(m.numero, c)), QString::fromUtf8(m.texto));
    freelocale(c);
#endif
    t.insert(QStringLiteral("Filename refers to a directory"),
             QStringLiteral("O nome se refere a uma pasta"));
    t.insert(QStringLiteral("file to open is a directory"), QStringLiteral("O arquivo a abrir é uma pasta"));
    t.insert(QStringLiteral("Unknown error"), QStringLiteral("Erro desconhecido"));
    t.insert(QStringLiteral("Writing canceled by application"),
             QStringLiteral("Gravação cancelada pelo programa"));
    t.insert(QStringLiteral("Partial write. Partition full?"),
             QStringLiteral("Gravação incompleta: o disco está cheio?"));
    t.insert(QStringLiteral("No file engine available or engine does not support UnMapExtension"),
             QStringLiteral("Operação não suportada pelo sistema de arquivos"));
    return t;
}

// Flushes a folder's entries (a rename lives in the folder, not in the file).
void sincronizaPasta(const QString& pasta) {
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(pasta).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    // Some file systems cannot flush a folder; the file itself is already on disk.
    (void)::fsync(fd);
    ::close(fd);
#else
    Q_UNUSED(pasta);
#endif
}

} // namespace

QString motivoEmPortugues(const QString& motivo) {
    static const QHash<QString, QString> traduzidos = motivosTraduzidos();
    const auto it = traduzidos.constFind(motivo);
    if (it != traduzidos.constEnd())
        return it.value();
    // Qt puts the file name in some of its texts.
    static const QString naoGravavel = QStringLiteral("Existing file ");
    if (motivo.startsWith(naoGravavel) && motivo.endsWith(QStringLiteral(" is not writable")))
        return QStringLiteral("O arquivo %1 não pode ser gravado")
            .arg(motivo.mid(naoGravavel.size(), motivo.size() - naoGravavel.size() - 16));
    return motivo;
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
        return falha(motivoEmPortugues(f.errorString()));
    errno = 0;
    const bool escreveu = f.write(conteudo) == conteudo.size() && f.flush();
    const int erroDoSistema = errno;
    // A write cut short by a full disk comes back as a short count with no error set, and a file
    // layer may even report it complete: the size on disk is the proof that the whole content is
    // there before it replaces the target.
    const qint64 noDisco = f.size();
    if (!escreveu || noDisco != conteudo.size()) {
        const QString quanto =
            QStringLiteral("foram gravados %1 de %2 bytes").arg(noDisco).arg(conteudo.size());
        if (erroDoSistema == EFBIG)
            return falha(QStringLiteral("O arquivo passou do tamanho máximo permitido: %1.").arg(quanto));
        if (erroDoSistema == ENOSPC || erroDoSistema == EDQUOT || f.error() == QFileDevice::NoError ||
            noDisco < conteudo.size())
            return falha(QStringLiteral("O disco está cheio: %1.").arg(quanto));
        return falha(motivoEmPortugues(f.errorString()));
    }
    if (!f.commit()) {
        if (erro)
            *erro = motivoEmPortugues(f.errorString());
        return false;
    }
    sincronizaPasta(QFileInfo(caminho).absolutePath());
    return true;
}

bool gravaCopia(const QString& caminho, const QByteArray& conteudo, QString* erro) {
    QTemporaryFile f(caminho + QStringLiteral(".XXXXXX"));
    f.setAutoRemove(true);
    auto falha = [&](const QString& motivo) {
        if (erro)
            *erro = motivo;
        return false;
    };
    if (!f.open())
        return falha(motivoEmPortugues(f.errorString()));
    errno = 0;
    const bool escreveu = f.write(conteudo) == conteudo.size() && f.flush();
    const int erroDoSistema = errno;
    const qint64 noDisco = f.size();
    if (!escreveu || noDisco != conteudo.size()) {
        const QString quanto =
            QStringLiteral("foram gravados %1 de %2 bytes").arg(noDisco).arg(conteudo.size());
        if (erroDoSistema == EFBIG)
            return falha(QStringLiteral("O arquivo passou do tamanho máximo permitido: %1.").arg(quanto));
        return falha(QStringLiteral("O disco está cheio: %1.").arg(quanto));
    }
    f.close();
#ifdef Q_OS_UNIX
    // Replaces the target in one step; QFile::rename would refuse an existing target.
    if (::rename(QFile::encodeName(f.fileName()).constData(), QFile::encodeName(caminho).constData()) != 0)
        return falha(motivoEmPortugues(QString::fromLocal8Bit(std::strerror(errno))));
    f.setAutoRemove(false);
    return true;
#else
    return gravaArquivoAtomico(caminho, conteudo, erro);
#endif
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

bool soDigitos(QStringView texto) {
    if (texto.isEmpty())
        return false;
    for (const QChar c : texto) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

std::optional<QDate> lerData(const QString& texto) {
    const QStringList partes = texto.trimmed().split(QLatin1Char('/'));
    if (partes.size() != 3)
        return std::nullopt;
    int numeros[3];
    for (int i = 0; i < 3; ++i) {
        const QString& p = partes[i];
        if (p.size() > (i == 2 ? 4 : 2) || !soDigitos(p))
            return std::nullopt;
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
