#include "tabulon/Funcoes.h"
#include "support/TestSupport.h"
#include "tabulon/ErroExecucao.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace tabulon;

TEST(Linhas, EndAtCrOrCrLfAndAreWrittenWithCrLf) {
    const struct {
        QByteArray conteudo;
        QList<QByteArray> linhas;
    } casos[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\rb\r\nc", {"a", "b", "c"}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"a\nb\r\n", {"a\nb"}}, // a bare LF is text
        {"a\r\r\n", {"a", ""}},
        {"\r\n", {""}},
    };
    for (const auto& c : casos)
        EXPECT_EQ(separaLinhas(c.conteudo), c.linhas) << c.conteudo.toStdString();
    EXPECT_EQ(juntaLinhas({"a", "", "b"}), QByteArray("a\r\n\r\nb\r\n"));
    EXPECT_EQ(separaLinhas(juntaLinhas({"x|y", "", "\xe3"})), QList<QByteArray>({"x|y", "", "\xe3"}));
}

TEST(AbreArquivo, ReadsTheWholeFileOrRaises53) {
    QTemporaryDir dir;
    teste::gravaArquivo(dir.filePath("T"), QByteArray("a\0b\r\n", 5));
    EXPECT_EQ(AbreArquivo(dir.filePath("T")), QByteArray("a\0b\r\n", 5));
    for (const QString& caminho : {dir.filePath("nao_existe"), dir.filePath("sem/pasta"), dir.path()}) {
        try {
            AbreArquivo(caminho);
            ADD_FAILURE() << caminho.toStdString();
        } catch (const ErroExecucao& e) {
            EXPECT_EQ(e.Numero(), 53) << caminho.toStdString();
        }
    }
}

// A file that exists but cannot be opened: error 75, with the system's reason in Portuguese.
TEST(AbreArquivo, AFileThatCannotBeOpenedRaises75WithThePortugueseReason) {
    // Write-only for everyone, root included, where the kernel enforces it on this file.
    const QString semLeitura = QStringLiteral("/proc/sys/vm/drop_caches");
    QFile sonda(semLeitura);
    if (!QFileInfo::exists(semLeitura) || sonda.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "no file here refuses to be read";
    try {
        AbreArquivo(semLeitura);
        ADD_FAILURE() << "opened";
    } catch (const ErroExecucao& e) {
        EXPECT_EQ(e.Numero(), 75);
        EXPECT_EQ(e.Descricao(), QStringLiteral("Erro de acesso ao caminho/arquivo (Permissão negada)"));
    }
}

TEST(AbreArquivo, NameMatchedIgnoringCaseOnlyWhenTheExactNameIsAbsent) {
    QTemporaryDir dir;
    teste::gravaArquivo(dir.filePath("tab_munic"), "minusculo");
    EXPECT_EQ(caminhoNaPasta(dir.path(), "TAB_MUNIC"), dir.filePath("tab_munic"));
    teste::gravaArquivo(dir.filePath("TAB_MUNIC"), "exato");
    EXPECT_EQ(caminhoNaPasta(dir.path(), "TAB_MUNIC"), dir.filePath("TAB_MUNIC"));
    EXPECT_EQ(caminhoNaPasta(dir.path(), "ZOV"), dir.filePath("ZOV"));
}

TEST(GravaArquivoAtomico, ReplacesTheFileWhole) {
    QTemporaryDir dir;
    const QString alvo = dir.filePath("ZOV");
    teste::gravaArquivo(alvo, "antigo");
    QString erro;
    EXPECT_TRUE(gravaArquivoAtomico(alvo, "novo\r\n", &erro)) << erro.toStdString();
    EXPECT_EQ(teste::leArquivo(alvo), QByteArray("novo\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"ZOV"}));
}

TEST(GravaArquivoAtomico, FailureKeepsTheOldFileAndSaysWhy) {
    QTemporaryDir dir;
    QString erro;
    EXPECT_FALSE(gravaArquivoAtomico(dir.filePath("sem/pasta"), "x", &erro));
    EXPECT_FALSE(erro.isEmpty());

    // A write cut short (here by a file size limit, as a full disk would) must not replace the file.
    const QString alvo = dir.filePath("ZOV");
    teste::gravaArquivo(alvo, "antigo");
    const auto sinal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit antes{};
    getrlimit(RLIMIT_FSIZE, &antes);
    rlimit limite = antes;
    limite.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    erro.clear();
    const bool gravou = gravaArquivoAtomico(alvo, QByteArray(5000, 'x'), &erro);
    setrlimit(RLIMIT_FSIZE, &antes);
    std::signal(SIGXFSZ, sinal);
    EXPECT_FALSE(gravou);
    EXPECT_FALSE(erro.isEmpty());
    EXPECT_EQ(teste::leArquivo(alvo), QByteArray("antigo"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"ZOV"})) << "no temporary file left";
}

TEST(LerData, DayMonthYearTexts) {
    const struct {
        const char* texto;
        QDate data;
    } casos[] = {
        {"31/12/2005", QDate(2005, 12, 31)},
        {"1/2/2005", QDate(2005, 2, 1)},
        {" 01/01/2005 ", QDate(2005, 1, 1)},
        {"01/01/29", QDate(2029, 1, 1)},
        {"01/01/30", QDate(1930, 1, 1)},
        {"29/02/2004", QDate(2004, 2, 29)},
        {"29/02/2005", QDate()},
        {"31/04/2005", QDate()},
        {"12/31/2005", QDate()},
        {"2005-12-31", QDate()},
        {"01/01/205", QDate()},
        {"01/01/0099", QDate()},
        {"01/01", QDate()},
        {"", QDate()},
        {"aa/bb/cccc", QDate()},
    };
    for (const auto& c : casos) {
        const auto d = lerData(QString::fromLatin1(c.texto));
        if (c.data.isValid()) {
            ASSERT_TRUE(d.has_value()) << c.texto;
            EXPECT_EQ(*d, c.data) << c.texto;
        } else {
            EXPECT_FALSE(d.has_value()) << c.texto;
        }
    }
}

TEST(SoDigitos, AsciiDecimalDigitsOnlyAndNotEmpty) {
    struct Caso {
        QString texto;
        bool esperado;
    };
    const Caso casos[] = {
        {QStringLiteral("0"), true},
        {QStringLiteral("0123456789"), true},
        {QStringLiteral("000"), true},
        {QStringLiteral("123456789012345678901234567890"), true}, // no length limit
        {QString(), false},
        {QStringLiteral(""), false},
        {QStringLiteral(" 12"), false}, // blanks are the caller's to trim
        {QStringLiteral("12 "), false},
        {QStringLiteral("1 2"), false},
        {QStringLiteral("-1"), false},
        {QStringLiteral("+1"), false},
        {QStringLiteral("1,5"), false},
        {QStringLiteral("1.5"), false},
        {QStringLiteral("12a"), false},
        {QStringLiteral("/"), false}, // the characters on either side of "0".."9"
        {QStringLiteral(":"), false},
        {QString::fromUtf8("\u0661\u0662"), false}, // Arabic-Indic digits are digits to QChar, not here
        {QString::fromUtf8("\uFF11"), false},       // full-width one
        {QString::fromUtf8("\u00B2"), false},       // superscript two
        {QStringLiteral("12") + QChar(0) + QStringLiteral("3"), false},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(soDigitos(c.texto), c.esperado) << qPrintable(c.texto);
    // A view into a longer text judges only its own characters.
    const QString texto = QStringLiteral("x123y");
    EXPECT_TRUE(soDigitos(QStringView(texto).sliced(1, 3)));
    EXPECT_FALSE(soDigitos(QStringView(texto).sliced(0, 4)));
}
