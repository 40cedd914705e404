// "zove --exportar-cadastro" and "zove --importar-cadastro", run as the clerk runs them: the built program
// as a process, over a temporary data folder.
#include "support/TestSupport.h"
#include "tabulon/Init.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QByteArray kCab = "TIPO_DOCUMENTO|DOCUMENTO_IDENTIFICACAO|RAZAO_SOCIAL|NUM_DDD|NUM_FONE";
const QString kIncompativel = QStringLiteral("O arquivo de importação não é compatível com o esperado.");
const QString kPrograma = QStringLiteral(ZOVE_BIN_DIR "/zove");
// The user "nobody": permission bits bind it, while the tests themselves may run as root.
constexpr uid_t kNinguem = 65534;
constexpr int kSemTrocaDeUsuario = 97;

using teste::Execucao;

// Runs the program; with comoNinguem, as the user nobody (exit kSemTrocaDeUsuario when that is impossible).
Execucao executa(const QStringList& argumentos, bool comoNinguem = false) {
    QProcess processo;
    processo.setProgram(kPrograma);
    processo.setArguments(argumentos);
    if (comoNinguem && ::geteuid() == 0) {
        processo.setChildProcessModifier([] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(kNinguem) != 0 || ::setuid(kNinguem) != 0)
                ::_exit(kSemTrocaDeUsuario);
        });
    }
    processo.start();
    return teste::aguardaProcesso(processo);
}

// The exit code and the peak resident memory (KiB) of a run; nothing when it could not be measured.
std::optional<std::pair<int, long>> picoDeMemoria(const QStringList& argumentos) {
    QList<QByteArray> bytes{QFile::encodeName(kPrograma)};
    for (const QString& a : argumentos)
        bytes.append(QFile::encodeName(a));
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0)
        return std::nullopt;
    if (pid == 0) {
        const int nulo = ::open("/dev/null", O_WRONLY);
        ::dup2(nulo, STDOUT_FILENO);
        ::dup2(nulo, STDERR_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int estado = 0;
    rusage uso{};
    for (int i = 0; i < 120 * 100; ++i) {
        const pid_t r = ::wait4(pid, &estado, WNOHANG, &uso);
        if (r == pid)
            return WIFEXITED(estado) ? std::optional(std::pair(WEXITSTATUS(estado), uso.ru_maxrss))
                                     : std::nullopt;
        ::usleep(10000);
    }
    ::kill(pid, SIGKILL);
    ::wait4(pid, &estado, 0, &uso);
    return std::nullopt;
}

QStringList registrosNoArquivo(const QString& pasta) {
    tabulon::Init init;
    init.sDiretorioDados(pasta);
    QStringList linhas;
    const auto contribuintes = init.CarregarContribuinte();
    for (const auto& c : *contribuintes) {
        if (c)
            linhas << QStringList{c->TIPO_DOCUMENTO, c->DOCUMENTO_IDENTIFICACAO, c->RAZAO_SOCIAL, c->NUM_DDD,
                                  c->NUM_FONE}
                          .join('|');
    }
    return linhas;
}

class CadastroSemJanela : public ::testing::Test {
protected:
    void SetUp() override {
        teste::gravaArquivo(dados.arquivo("CONTRIBUINTE"),
                            kCab + "\r\n3|11122233344|Maria da Silva|61|5551234\r\n");
    }
    QString fora(const QString& nome) const { return QDir(externa.path()).filePath(nome); }
    QStringList comDados(QStringList argumentos) const { return argumentos << "--dados" << dados.caminho(); }

    teste::PastaDados dados;
    QTemporaryDir externa;
};

TEST_F(CadastroSemJanela, ImportAddsNewTaxpayersAndSaysHowMany) {
    teste::gravaArquivo(fora("troca.txt"), kCab + "\r\n3|98765432100|JOS\xC9 SILVANO|21|9\r\n\r\n"
                                                  "3|11122233344|Maria da Silva|61|5551234\r\n"
                                                  "1|0012345|Bar Central|||\r\n");
    const Execucao e = executa(comDados({"--importar-cadastro", fora("troca.txt")}));
    EXPECT_EQ(e.codigo, 0) << e.erros.toStdString();
    EXPECT_EQ(e.saida, QStringLiteral("Contribuintes incluídos: 2; já cadastrados, não repetidos: 1\n"));
    EXPECT_TRUE(e.erros.isEmpty()) << e.erros.toStdString();
    EXPECT_EQ(registrosNoArquivo(dados.caminho()),
              (QStringList{"3|11122233344|Maria da Silva|61|5551234",
                           QStringLiteral("3|98765432100|JOSÉ SILVANO|21|9"), "1|0012345|Bar Central||"}));

    // The same file again adds nothing, and says so.
    const Execucao denovo = executa(comDados({"--importar-cadastro", fora("troca.txt")}));
    EXPECT_EQ(denovo.codigo, 0);
    EXPECT_EQ(denovo.saida, QStringLiteral("Contribuintes incluídos: 0; já cadastrados, não repetidos: 3\n"));
    EXPECT_EQ(registrosNoArquivo(dados.caminho()).size(), 3);
}

TEST_F(CadastroSemJanela, ARefusedImportSaysWhyOnStderrAndChangesNothing) {
    const QByteArray antes = teste::leArquivo(dados.arquivo("CONTRIBUINTE"));
    const struct {
        QString arquivo;
        QByteArray conteudo; // nothing: the path is used as it is
        const char* motivo;
    } casos[] = {
        {fora("quatro.txt"), kCab + "\r\n3|1|A|61|1\r\n3|2|B|61\r\n", "Linha 3: a linha tem 4 valor(es)"},
        {fora("outro.txt"), "DOCUMENTO_IDENTIFICACAO|TIPO_DOCUMENTO|RAZAO_SOCIAL|NUM_DDD|NUM_FONE\r\n",
         "Linha 1:"},
        {fora("nao-existe.txt"), {}, "Arquivo ou pasta inexistente"},
        {"/dev/zero", {}, "não é um arquivo comum"},
        {externa.path(), {}, "não é um arquivo comum"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.arquivo.toStdString());
        if (!c.conteudo.isEmpty())
            teste::gravaArquivo(c.arquivo, c.conteudo);
        const Execucao e = executa(comDados({"--importar-cadastro", c.arquivo}));
        EXPECT_EQ(e.codigo, 1);
        EXPECT_TRUE(e.saida.isEmpty()) << e.saida.toStdString();
        EXPECT_TRUE(e.erros.startsWith(QStringLiteral("zove: ") + kIncompativel)) << e.erros.toStdString();
        EXPECT_TRUE(e.erros.contains(QString::fromUtf8(c.motivo))) << e.erros.toStdString();
        EXPECT_EQ(teste::leArquivo(dados.arquivo("CONTRIBUINTE")), antes);
    }

    // A pipe without a writer is refused at once rather than waited on (the run would time out).
    ASSERT_EQ(::mkfifo(QFile::encodeName(fora("fila")).constData(), 0600), 0);
    const Execucao fifo = executa(comDados({"--importar-cadastro", fora("fila")}));
    EXPECT_EQ(fifo.codigo, 1);
    EXPECT_TRUE(fifo.erros.contains(QStringLiteral("não é um arquivo comum"))) << fifo.erros.toStdString();
}

TEST_F(CadastroSemJanela, ExportCopiesTheRegistryAndRefusesTheDataFolder) {
    const Execucao e = executa(comDados({"--exportar-cadastro", fora("copia.txt")}));
    EXPECT_EQ(e.codigo, 0) << e.erros.toStdString();
    EXPECT_EQ(teste::leArquivo(fora("copia.txt")), teste::leArquivo(dados.arquivo("CONTRIBUINTE")));
    EXPECT_TRUE(e.saida.contains(fora("copia.txt"))) << e.saida.toStdString();

    const Execucao dentro = executa(comDados({"--exportar-cadastro", dados.arquivo("copia.txt")}));
    EXPECT_EQ(dentro.codigo, 1);
    EXPECT_TRUE(dentro.erros.contains(QStringLiteral("pasta de dados"))) << dentro.erros.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dados.arquivo("copia.txt")));

    // A folder that cannot exist: its parent is a regular file, so no one can write there, root included.
    const Execucao impossivel = executa(comDados({"--exportar-cadastro", fora("copia.txt") + "/x.txt"}));
    EXPECT_EQ(impossivel.codigo, 1);
    EXPECT_TRUE(impossivel.erros.contains(QStringLiteral("Não foi possível exportar")))
        << impossivel.erros.toStdString();
    EXPECT_FALSE(impossivel.erros.contains(QStringLiteral("Not a directory")))
        << impossivel.erros.toStdString();

    // A pipe or a device is never replaced by a copy (as root, "/dev/null" would be).
    ASSERT_EQ(::mkfifo(QFile::encodeName(fora("fila")).constData(), 0600), 0);
    const Execucao fifo = executa(comDados({"--exportar-cadastro", fora("fila")}));
    EXPECT_EQ(fifo.codigo, 1);
    EXPECT_TRUE(fifo.erros.contains(QStringLiteral("não é um arquivo comum"))) << fifo.erros.toStdString();
    struct stat info {};
    EXPECT_TRUE(::stat(QFile::encodeName(fora("fila")).constData(), &info) == 0 && S_ISFIFO(info.st_mode));

    // Both commands need their file.
    for (const char* opcao : {"--exportar-cadastro", "--importar-cadastro"}) {
        const Execucao sem = executa({QString::fromLatin1(opcao)});
        EXPECT_EQ(sem.codigo, 2) << opcao;
        EXPECT_TRUE(sem.erros.contains(QString::fromLatin1(opcao))) << sem.erros.toStdString();
    }
    const Execucao ajuda = executa({"--help"});
    EXPECT_TRUE(ajuda.saida.contains(QStringLiteral("--exportar-cadastro ARQUIVO")));
    EXPECT_TRUE(ajuda.saida.contains(QStringLiteral("--importar-cadastro ARQUIVO")));
}

// Permission bits bind only an ordinary user, so these runs are made as the user nobody: a data folder
// it cannot write, and an exchange file it cannot read.
TEST_F(CadastroSemJanela, AFolderOrFileWithoutPermissionIsNamedInPortuguese) {
    // nobody must reach the folders; the data folder itself is read-only.
    const auto permissoes = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                            QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                            QFileDevice::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(QFileInfo(dados.caminho()).path(), permissoes));
    ASSERT_TRUE(QFile::setPermissions(externa.path(), permissoes));
    ASSERT_TRUE(QFile::setPermissions(dados.caminho(), permissoes & ~QFileDevice::WriteOwner));
    teste::gravaArquivo(fora("troca.txt"), kCab + "\r\n3|98765432100|ANA|21|9\r\n");
    QFile::setPermissions(fora("troca.txt"), QFileDevice::ReadOwner | QFileDevice::ReadOther);
    const QByteArray antes = teste::leArquivo(dados.arquivo("CONTRIBUINTE"));

    const Execucao somenteLeitura = executa(comDados({"--importar-cadastro", fora("troca.txt")}), true);
    if (somenteLeitura.codigo == kSemTrocaDeUsuario)
        GTEST_SKIP() << "this machine does not let the tests run a program as another user";
    EXPECT_EQ(somenteLeitura.codigo, 1) << somenteLeitura.saida.toStdString();
    EXPECT_TRUE(somenteLeitura.erros.contains(QStringLiteral("A pasta de dados %1 não pode ser gravada")
                                                  .arg(QDir::toNativeSeparators(dados.caminho()))))
        << somenteLeitura.erros.toStdString();
    EXPECT_FALSE(somenteLeitura.erros.contains(QStringLiteral(".lock")))
        << somenteLeitura.erros.toStdString();
    EXPECT_EQ(teste::leArquivo(dados.arquivo("CONTRIBUINTE")), antes);

    QFile::setPermissions(dados.caminho(), permissoes);
    QFile::setPermissions(fora("troca.txt"), QFileDevice::ReadOwner);
    const Execucao semLeitura = executa(comDados({"--importar-cadastro", fora("troca.txt")}), true);
    EXPECT_EQ(semLeitura.codigo, 1);
    EXPECT_TRUE(semLeitura.erros.contains(QStringLiteral("Permissão negada")))
        << semLeitura.erros.toStdString();
    EXPECT_FALSE(semLeitura.erros.contains(QStringLiteral("Permission denied")));
    EXPECT_EQ(teste::leArquivo(dados.arquivo("CONTRIBUINTE")), antes);
}

// Memory follows what is stored, not what is read: a file of a million copies of one taxpayer, and a
// header lost among megabytes of blanks, take hardly more than a file holding only the header.
TEST_F(CadastroSemJanela, ImportMemoryDoesNotGrowWithTheLinesRead) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer keeps freed memory in quarantine";
#endif
    teste::gravaArquivo(fora("vazio.txt"), kCab + "\r\n");
    const QByteArray linha = "3|98765432100|JOSE DA SILVA SAURO|21|99999999\r\n";
    const QByteArray blancos(24 << 20, ' ');
    const QByteArray arquivos[] = {kCab + "\r\n" + linha.repeated(1000000),
                                   blancos + kCab + blancos + "\r\n" + linha};
    const auto base = picoDeMemoria(comDados({"--importar-cadastro", fora("vazio.txt")}));
    ASSERT_TRUE(base.has_value());
    ASSERT_EQ(base->first, 0);
    for (const QByteArray& conteudo : arquivos) {
        teste::gravaArquivo(fora("grande.txt"), conteudo);
        const auto r = picoDeMemoria(comDados({"--importar-cadastro", fora("grande.txt")}));
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(r->first, 0);
        // The files hold 48 MB; reading them whole would take at least as much.
        EXPECT_LT(r->second - base->second, 16 * 1024) << "KiB above a file holding only the header";
    }
    EXPECT_EQ(registrosNoArquivo(dados.caminho()).size(), 2);
}

} // namespace
