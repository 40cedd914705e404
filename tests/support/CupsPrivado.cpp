#include "CupsPrivado.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <cups/cups.h>

#include <algorithm>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace teste {

namespace {

const QString kCupsd = QStringLiteral("/usr/sbin/cupsd");
const QString kServerBin = QStringLiteral("/usr/lib/cups");
const QString kBackend = QStringLiteral("zove-arquivo");

QString apoioPadrao() {
#ifdef ZOVE_CUPS_APOIO
    return QStringLiteral(ZOVE_CUPS_APOIO);
#else
    return {};
#endif
}

QString programa(const QString& nome) {
    QString caminho = QStandardPaths::findExecutable(nome);
    if (caminho.isEmpty()) // sbin is often missing from a normal user's PATH
        caminho = QStandardPaths::findExecutable(
            nome, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"), QStringLiteral("/usr/bin")});
    return caminho;
}

// The account the scheduler runs jobs as. cupsd refuses to run them as root, so as root they go to
// lp; as anyone else cupsd cannot switch users and runs everything as the caller.
struct Conta {
    QString usuario;
    QString grupo;
    uint uid = 0;
    uint gid = 0;
    bool valida = false;
};

Conta contaDosTrabalhos() {
    Conta c;
    const passwd* pw = ::geteuid() == 0 ? ::getpwnam("lp") : ::getpwuid(::geteuid());
    if (!pw)
        return c;
    const gid_t gid = ::geteuid() == 0 ? pw->pw_gid : ::getegid();
    const group* gr = ::getgrgid(gid);
    if (!gr)
        return c;
    c.usuario = QString::fromLocal8Bit(pw->pw_name);
    c.grupo = QString::fromLocal8Bit(gr->gr_name);
    c.uid = pw->pw_uid;
    c.gid = gid;
    c.valida = true;
    return c;
}

bool criaPasta(const QString& caminho, mode_t modo) {
    if (!QDir().mkpath(caminho))
        return false;
    return ::chmod(QFile::encodeName(caminho).constData(), modo) == 0;
}

// Folders the jobs' account writes into; as root they are handed over to it.
bool entregaPasta(const QString& caminho, const Conta& conta) {
    if (!criaPasta(caminho, 0755))
        return false;
    if (::geteuid() != 0)
        return true;
    return ::chown(QFile::encodeName(caminho).constData(), conta.uid, conta.gid) == 0;
}

bool gravaTexto(const QString& caminho, const QString& texto) {
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = texto.toUtf8();
    return f.write(bytes) == bytes.size();
}

// An answer to any IPP request means the scheduler is up and reading its socket.
bool responde(const QString& socket) {
    const QByteArray caminho = QFile::encodeName(socket);
    http_t* http = httpConnect2(caminho.constData(), 0, nullptr, AF_LOCAL, HTTP_ENCRYPTION_IF_REQUESTED, 1,
                                1000, nullptr);
    if (!http)
        return false;
    ipp_t* resposta = cupsDoRequest(http, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
    const bool ok = resposta != nullptr;
    ippDelete(resposta);
    httpClose(http);
    return ok;
}

qint64 numeroDoTrabalho(const QString& arquivo) {
    // job-<id>.dat
    const QString nome = QFileInfo(arquivo).completeBaseName();
    return nome.mid(4).toLongLong();
}

} // namespace

bool CupsPrivado::disponivel(QString* porque) {
    auto falta = [porque](const QString& motivo) {
        if (porque)
            *porque = motivo;
        return false;
    };
    if (!QFileInfo(kCupsd).isExecutable())
        return falta(QStringLiteral("%1 não existe (pacote cups-daemon)").arg(kCupsd));
    if (!QFileInfo(kServerBin + QStringLiteral("/daemon/cups-exec")).isExecutable())
        return falta(QStringLiteral("%1/daemon/cups-exec não existe (pacote cups-daemon)").arg(kServerBin));
    for (const char* nome : {"lpadmin", "cupsreject", "cupsdisable"})
        if (programa(QString::fromLatin1(nome)).isEmpty())
            return falta(
                QStringLiteral("%1 não encontrado (pacote cups-client)").arg(QString::fromLatin1(nome)));
    if (!contaDosTrabalhos().valida)
        return falta(::geteuid() == 0 ? QStringLiteral("o usuário lp não existe")
                                      : QStringLiteral("a conta do usuário atual não foi encontrada"));
    if (porque)
        porque->clear();
    return true;
}

CupsPrivado::CupsPrivado(const QString& apoio) {
    m_pronto = inicia(apoio.isEmpty() ? apoioPadrao() : apoio);
    if (!m_pronto)
        encerra();
}

CupsPrivado::~CupsPrivado() {
    encerra();
}

qint64 CupsPrivado::pid() const {
    return m_cupsd.state() == QProcess::NotRunning ? 0 : m_cupsd.processId();
}

bool CupsPrivado::inicia(const QString& apoio) {
    QString porque;
    if (!disponivel(&porque)) {
        m_erro = QStringLiteral("CUPS privado indisponível: ") + porque;
        return false;
    }
    const QString backend = apoio + QLatin1Char('/') + kBackend;
    if (!QFileInfo(backend).isFile()) {
        m_erro = QStringLiteral("backend de teste não encontrado: ") + backend;
        return false;
    }
    const Conta conta = contaDosTrabalhos();
    m_uidFilas = conta.uid;
    m_gidFilas = conta.gid;

    // A Unix socket path holds about 100 bytes; a long TMPDIR would not fit.
    QString base = QDir::tempPath();
    if (base.size() > 60)
        base = QStringLiteral("/tmp");
    m_dir = std::make_unique<QTemporaryDir>(base + QStringLiteral("/zove-cups-XXXXXX"));
    if (!m_dir->isValid()) {
        m_erro = QStringLiteral("não foi possível criar a pasta temporária: ") + m_dir->errorString();
        return false;
    }
    m_pasta = m_dir->path();
    m_socket = m_pasta + QStringLiteral("/cups.sock");
    const QString bin = m_pasta + QStringLiteral("/bin");

    // The jobs' account runs the backend from here and writes into jobs/: QTemporaryDir's 0700 would
    // stop it at the door.
    bool ok = ::chmod(QFile::encodeName(m_pasta).constData(), 0755) == 0;
    ok = ok && criaPasta(m_pasta + QStringLiteral("/spool/tmp"), 0755) &&
         criaPasta(m_pasta + QStringLiteral("/cache"), 0755) &&
         criaPasta(m_pasta + QStringLiteral("/state"), 0755) &&
         criaPasta(bin + QStringLiteral("/backend"), 0755) &&
         entregaPasta(m_pasta + QStringLiteral("/jobs"), conta);
    if (!ok) {
        m_erro = QStringLiteral("não foi possível preparar as pastas em ") + m_pasta;
        return false;
    }

    // ServerBin: the system's helpers, filters and backends as they are, plus our backend. Backends
    // are found only in ServerBin, hence a folder of links rather than the system's own.
    const QDir sistema(kServerBin);
    for (const QFileInfo& e : sistema.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)) {
        if (e.fileName() == QLatin1String("backend"))
            continue;
        ok = ok && QFile::link(e.absoluteFilePath(), bin + QLatin1Char('/') + e.fileName());
    }
    const QDir backends(kServerBin + QStringLiteral("/backend"));
    for (const QFileInfo& e : backends.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System))
        ok = ok && QFile::link(e.absoluteFilePath(), bin + QStringLiteral("/backend/") + e.fileName());
    // A copy, not a link: cupsd insists backends are not writable by others, and runs one as root
    // when it is 0700; 0755 makes it run as the jobs' account, as a real backend would.
    const QString nosso = bin + QStringLiteral("/backend/") + kBackend;
    ok = ok && QFile::copy(backend, nosso) && ::chmod(QFile::encodeName(nosso).constData(), 0755) == 0;
    // cupsd runs from a copy too: a distribution's AppArmor profile for /usr/sbin/cupsd confines it to
    // the system's folders, and would keep it from our backend and files. A copy runs unconfined.
    const QString cupsd = m_pasta + QStringLiteral("/cupsd");
    ok = ok && QFile::copy(kCupsd, cupsd) && ::chmod(QFile::encodeName(cupsd).constData(), 0755) == 0;
    if (!ok) {
        m_erro = QStringLiteral("não foi possível montar a pasta de programas em ") + bin;
        return false;
    }

    const QString conf = m_pasta + QStringLiteral("/cupsd.conf");
    const QString arquivos = m_pasta + QStringLiteral("/cups-files.conf");
    // Only the socket: nothing on the network, no sharing, no discovery. Every request is allowed,
    // admin ones included, since only this machine can reach the socket and the test needs lpadmin.
    const QString textoConf = QStringLiteral("Listen %1\n"
                                             "Browsing No\n"
                                             "BrowseLocalProtocols none\n"
                                             "DefaultShared No\n"
                                             "WebInterface No\n"
                                             "LogLevel debug\n"
                                             "MaxLogSize 0\n"
                                             "DefaultAuthType None\n"
                                             "<Location />\n"
                                             "  Order allow,deny\n"
                                             "  Allow all\n"
                                             "</Location>\n"
                                             "<Policy default>\n"
                                             "  JobPrivateAccess all\n"
                                             "  JobPrivateValues none\n"
                                             "  SubscriptionPrivateAccess all\n"
                                             "  SubscriptionPrivateValues none\n"
                                             "  <Limit All>\n"
                                             "    Order deny,allow\n"
                                             "  </Limit>\n"
                                             "</Policy>\n")
                                  .arg(m_socket);
    // Every file the scheduler reads or writes lives in this folder, so it never meets the system's
    // own scheduler (if any) nor needs it.
    const QString textoArquivos =
        QStringLiteral("User %1\n"
                       "Group %2\n"
                       "SystemGroup %3\n"
                       "ServerRoot %4\n"
                       "RequestRoot %4/spool\n"
                       "TempDir %4/spool/tmp\n"
                       "CacheDir %4/cache\n"
                       "StateDir %4/state\n"
                       "ErrorLog %4/error_log\n"
                       "AccessLog %4/access_log\n"
                       "PageLog %4/page_log\n"
                       "Printcap %4/printcap\n"
                       "ServerBin %5\n"
                       "DataDir /usr/share/cups\n")
            .arg(conta.usuario, conta.grupo, ::geteuid() == 0 ? QStringLiteral("root") : conta.grupo, m_pasta,
                 bin);
    if (!gravaTexto(conf, textoConf) || !gravaTexto(arquivos, textoArquivos)) {
        m_erro = QStringLiteral("não foi possível gravar a configuração em ") + m_pasta;
        return false;
    }

    const QString saida = m_pasta + QStringLiteral("/cupsd-saida.txt");
    // To a file: nobody reads a pipe while the test runs, and a full one would block cupsd.
    m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
    m_cupsd.setStandardOutputFile(saida);
    m_cupsd.setStandardInputFile(QProcess::nullDevice());
#ifdef __linux__
    // If the test dies without its destructor, the scheduler goes with it instead of lingering. The
    // signal follows the thread that started it, so the harness belongs on a long-lived thread.
    m_cupsd.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
#endif
    QElapsedTimer relogio;
    relogio.start();
    m_cupsd.start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"), conf, QStringLiteral("-s"), arquivos});
    if (!m_cupsd.waitForStarted(5000)) {
        m_erro = QStringLiteral("cupsd não iniciou: ") + m_cupsd.errorString();
        return false;
    }

    bool respondeu = false;
    while (relogio.elapsed() < 10000) {
        if (m_cupsd.state() == QProcess::NotRunning || m_cupsd.waitForFinished(0))
            break;
        if (QFileInfo::exists(m_socket) && responde(m_socket)) {
            respondeu = true;
            break;
        }
        QThread::msleep(25);
    }
    if (!respondeu) {
        QFile f(saida);
        const QString texto =
            f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()).trimmed() : QString();
        m_erro = (m_cupsd.state() == QProcess::NotRunning
                      ? QStringLiteral("cupsd terminou ao iniciar (código %1)").arg(m_cupsd.exitCode())
                      : QStringLiteral("cupsd não respondeu em %1 em 10 s").arg(m_socket)) +
                 (texto.isEmpty() ? QString() : QStringLiteral("\n") + texto) + QStringLiteral("\n") +
                 fimDoRegistro();
        return false;
    }
    m_msParaIniciar = relogio.elapsed();

    // libcups reads CUPS_SERVER when it has no server yet; cupsSetServer(nullptr) forgets the one it
    // had. PRINTER and LPDEST would override the default queue, so they go while the test runs.
    for (const char* nome : {"CUPS_SERVER", "PRINTER", "LPDEST"}) {
        Variavel v;
        v.nome = nome;
        v.existia = qEnvironmentVariableIsSet(nome);
        v.valor = qgetenv(nome);
        m_ambiente.append(v);
    }
    qputenv("CUPS_SERVER", QFile::encodeName(m_socket));
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    cupsSetServer(nullptr);
    return true;
}

void CupsPrivado::encerra() {
    if (m_cupsd.state() != QProcess::NotRunning) {
        const qint64 pid = m_cupsd.processId();
        if (pid > 0)
            ::kill(static_cast<pid_t>(pid), SIGTERM);
        if (!m_cupsd.waitForFinished(10000) && pid > 0) {
            ::kill(static_cast<pid_t>(pid), SIGKILL);
            m_cupsd.waitForFinished(5000);
        }
    }
    if (!m_ambiente.isEmpty()) {
        for (const Variavel& v : std::as_const(m_ambiente)) {
            if (v.existia)
                qputenv(v.nome.constData(), v.valor);
            else
                qunsetenv(v.nome.constData());
        }
        m_ambiente.clear();
        cupsSetServer(nullptr);
    }
}

QString CupsPrivado::fimDoRegistro(int linhas) const {
    if (m_pasta.isEmpty())
        return {};
    QFile f(m_pasta + QStringLiteral("/error_log"));
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("(sem registro de erros em %1)").arg(f.fileName());
    QStringList todas = QString::fromLocal8Bit(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (todas.size() > linhas)
        todas = todas.mid(todas.size() - linhas);
    return todas.join(QLatin1Char('\n'));
}

bool CupsPrivado::executa(const QString& nome, const QStringList& argumentos) {
    if (!m_pronto)
        return false; // m_erro already says why the scheduler is not there
    const QString caminho = programa(nome);
    const QString linha = nome + QLatin1Char(' ') + argumentos.join(QLatin1Char(' '));
    if (caminho.isEmpty()) {
        m_erro = nome + QStringLiteral(" não encontrado");
        return false;
    }
    QProcess p;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("CUPS_SERVER"), m_socket);
    p.setProcessEnvironment(ambiente);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setStandardInputFile(QProcess::nullDevice());
    p.start(caminho, QStringList{QStringLiteral("-h"), m_socket} + argumentos);
    if (!p.waitForFinished(30000)) {
        m_erro = linha + QStringLiteral(": ") + p.errorString();
        p.kill();
        p.waitForFinished(2000);
        return false;
    }
    const QString saida = QString::fromLocal8Bit(p.readAll()).trimmed();
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        m_erro = linha + QStringLiteral(" falhou (código %1): ").arg(p.exitCode()) + saida;
        return false;
    }
    m_erro.clear();
    return true;
}

QString CupsPrivado::pastaDaFila(const QString& fila) const {
    return m_pasta + QStringLiteral("/jobs/") + fila;
}

bool CupsPrivado::criaFila(const QString& nome, const QString& ppd) {
    if (!m_pronto)
        return false;
    if (nome.isEmpty() || nome.contains(QLatin1Char('/')) || nome.startsWith(QLatin1Char('.'))) {
        m_erro = QStringLiteral("nome de fila inválido: ") + nome;
        return false;
    }
    const QString destino = pastaDaFila(nome);
    Conta conta;
    conta.uid = m_uidFilas;
    conta.gid = m_gidFilas;
    if (!entregaPasta(destino, conta)) {
        m_erro = QStringLiteral("não foi possível criar a pasta da fila: ") + destino;
        return false;
    }
    QStringList args{QStringLiteral("-p"), nome, QStringLiteral("-v"),
                     QStringLiteral("zove-arquivo:") + destino};
    if (!ppd.isEmpty())
        args << QStringLiteral("-P") << QFileInfo(ppd).absoluteFilePath();
    // -E after -p: enable the queue and accept jobs (before it, -E would mean encryption).
    args << QStringLiteral("-E");
    return executa(QStringLiteral("lpadmin"), args);
}

bool CupsPrivado::definePadrao(const QString& nome) {
    return executa(QStringLiteral("lpadmin"), {QStringLiteral("-d"), nome});
}

bool CupsPrivado::rejeita(const QString& nome) {
    return executa(QStringLiteral("cupsreject"), {nome});
}

bool CupsPrivado::para(const QString& nome) {
    return executa(QStringLiteral("cupsdisable"), {nome});
}

QStringList CupsPrivado::arquivosDeTrabalho(const QString& fila) const {
    if (m_pasta.isEmpty())
        return {};
    const QDir pasta(pastaDaFila(fila));
    QStringList arquivos;
    for (const QString& nome : pasta.entryList({QStringLiteral("job-*.dat")}, QDir::Files))
        arquivos << pasta.absoluteFilePath(nome);
    std::sort(arquivos.begin(), arquivos.end(),
              [](const QString& a, const QString& b) { return numeroDoTrabalho(a) < numeroDoTrabalho(b); });
    return arquivos;
}

bool CupsPrivado::esperaTrabalhos(const QString& fila, int n, int ms) {
    QElapsedTimer relogio;
    relogio.start();
    for (;;) {
        const qsizetype tem = arquivosDeTrabalho(fila).size();
        if (tem >= n)
            return true;
        if (relogio.elapsed() >= ms) {
            m_erro = QStringLiteral("a fila %1 tem %2 trabalho(s) após %3 ms, esperados %4\n")
                         .arg(fila)
                         .arg(tem)
                         .arg(ms)
                         .arg(n) +
                     fimDoRegistro();
            return false;
        }
        // The print run under test may still need the event loop to hand its job over.
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
}

} // namespace teste
