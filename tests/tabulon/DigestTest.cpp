#include "support/TestSupport.h"
#include "tabulon/ErroExecucao.h"
#include "tabulon/Init.h"
#include "tabulon/MD5Driver.h"
#include "tabulon/Texto1252.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tabulon;

namespace {

// The digest of the table "COD|NOME" / "1|São Paulo" (Windows-1252), worked out with an independent
// MD5 implementation.
constexpr char kDigestDoExemplo[] = "288A062DAE9C56E925322E2964AEBA7C";
// The digest of the single line "COD|NOME": MD5 of "COD|NOMEOriel".
constexpr char kPrimeiroPasso[] = "886D7EE47D75F426DC228306B60F2510";

QByteArray exemplo(const QByteArray& digestLine) {
    return QByteArray("COD|NOME\r\n1|S\xe3o Paulo\r\n") + digestLine + "\r\n";
}

class Digest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString caminho() const { return dir.filePath("TAB"); }

    // The error number raised by the check, or 0 when it passes.
    int verifica(const QByteArray& conteudo) {
        teste::gravaArquivo(caminho(), conteudo);
        try {
            EXPECT_TRUE(Init().ValidaHashDeArchivoMD5(caminho()));
            return 0;
        } catch (const ErroExecucao& e) {
            return e.Numero();
        }
    }
};

} // namespace

TEST(CalculaMD5, Rfc1321TestSuite) {
    const struct {
        const char* texto;
        const char* md5;
    } casos[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(MD5Driver::CalculaMD5(QString::fromLatin1(c.texto)).toLower(), QLatin1String(c.md5))
            << c.texto;
}

TEST(CalculaMD5, ByteBelowSixteenIsZeroAndAnUpperCaseDigit) {
    // MD5("a") starts with the byte 0x0C and holds 0x0F further on; the other bytes are lower case.
    EXPECT_EQ(MD5Driver::CalculaMD5(QStringLiteral("a")), QLatin1String("0Cc175b9c0f1b6a831c399e269772661"));
    const char bytes[] = {0x00, 0x0a, 0x10, char(0xab), char(0xff)};
    EXPECT_EQ(MD5Driver::BytesParaHex(QByteArrayView(bytes, 5)), QLatin1String("000A10abff"));
}

TEST(CalculaMD5, HashesTheWindows1252BytesOfTheText) {
    // MD5 of the three bytes 53 E3 6F.
    EXPECT_EQ(MD5Driver::CalculaMD5(QString::fromUtf8("São")).toLower(),
              QLatin1String("95bab63ed818b41d6fe9c5ea5b7915a5"));
}

TEST(CadeiaDeDigest, TwoLineExampleStepByStep) {
    const QByteArray passo1 = MD5Driver::passoDaCadeia("COD|NOME", MD5Driver::Semente);
    EXPECT_EQ(passo1, QByteArray(kPrimeiroPasso));
    EXPECT_EQ(passo1, MD5Driver::CalculaMD5(QStringLiteral("COD|NOMEOriel")).toUpper().toLatin1());
    EXPECT_EQ(MD5Driver::passoDaCadeia("1|S\xe3o Paulo", passo1), QByteArray(kDigestDoExemplo));
    EXPECT_EQ(MD5Driver::digestDasLinhas({"COD|NOME", "1|S\xe3o Paulo"}), QByteArray(kDigestDoExemplo));
}

TEST_F(Digest, CorrectDigestLinePasses) {
    EXPECT_EQ(verifica(exemplo(QByteArray(":):)") + kDigestDoExemplo)), 0);
}

TEST_F(Digest, LowerCaseDigestIsAccepted) {
    EXPECT_EQ(verifica(exemplo(QByteArray(":):)") + QByteArray(kDigestDoExemplo).toLower())), 0);
}

TEST_F(Digest, BlanksAtTheEndsOfLinesAreIgnoredButOtherWhitespaceIsNot) {
    const QByteArray d = QByteArray(":):)") + kDigestDoExemplo + "\r\n";
    EXPECT_EQ(verifica("  COD|NOME   \r\n1|S\xe3o Paulo \r\n" + d), 0);
    EXPECT_EQ(verifica("COD|NOME\t\r\n1|S\xe3o Paulo\r\n" + d), ErroExecucao::ArquivoCorrompido);
    // Blanks inside a line count.
    EXPECT_EQ(verifica("COD| NOME\r\n1|S\xe3o Paulo\r\n" + d), ErroExecucao::ArquivoCorrompido);
}

TEST_F(Digest, AnyChangeBeforeTheDigestLineIsCaught) {
    const QByteArray d = QByteArray(":):)") + kDigestDoExemplo + "\r\n";
    const QByteArray alterados[] = {
        "COD|NOMe\r\n1|S\xe3o Paulo\r\n" + d,                   // one letter of the header
        "COD|NOME\r\n1|Sao Paulo\r\n" + d,                      // an accented letter
        "COD|NOME\r\n2|S\xe3o Paulo\r\n" + d,                   // a code
        "1|S\xe3o Paulo\r\nCOD|NOME\r\n" + d,                   // the two lines swapped
        "COD|NOME\r\n1|S\xe3o Paulo\r\n1|S\xe3o Paulo\r\n" + d, // a line repeated
        "COD|NOME\r\n" + d,                                     // a line removed
        "COD|NOME\r\n1|S\xe3o Paulo\r\n",                       // no digest line
        "COD|NOME\r\n1|S\xe3o Paulo\r\n:):)\r\n",               // an empty digest
        exemplo(QByteArray(":):)") + kDigestDoExemplo + " "),   // a blank after the digest
        QByteArray(),                                           // an empty file
    };
    for (const QByteArray& c : alterados)
        EXPECT_EQ(verifica(c), ErroExecucao::ArquivoCorrompido) << c.toStdString();
}

TEST_F(Digest, LinesEndAtCrOrCrLf) {
    const QByteArray d = QByteArray(":):)") + kDigestDoExemplo;
    EXPECT_EQ(verifica("COD|NOME\r1|S\xe3o Paulo\r" + d), 0);
    EXPECT_EQ(verifica("COD|NOME\r1|S\xe3o Paulo\r\n" + d), 0);
    // A bare LF does not end a line, so the lines hashed are not the ones signed.
    EXPECT_EQ(verifica("COD|NOME\n1|S\xe3o Paulo\n" + d), ErroExecucao::ArquivoCorrompido);
}

TEST_F(Digest, AnyLineAfterTheDigestLineMakesTheFileCorrupt) {
    const QByteArray assinado = exemplo(QByteArray(":):)") + kDigestDoExemplo);
    EXPECT_EQ(verifica(assinado + "2|Santos\r\n"), ErroExecucao::ArquivoCorrompido);
    EXPECT_EQ(verifica(assinado + "\r\n"), ErroExecucao::ArquivoCorrompido);
    EXPECT_EQ(verifica(assinado + ":):)" + kDigestDoExemplo + "\r\n"), ErroExecucao::ArquivoCorrompido);
}

TEST_F(Digest, CorruptionErrorHasItsNumberAndDescription) {
    teste::gravaArquivo(caminho(), "COD|NOME\r\n:):)00000000000000000000000000000000\r\n");
    try {
        Init().ValidaHashDeArchivoMD5(caminho());
        FAIL() << "no error";
    } catch (const ErroExecucao& e) {
        EXPECT_EQ(e.Numero(), 11111);
        EXPECT_EQ(e.Descricao(), QStringLiteral(" Arquivo Corrompido ") + caminho());
    }
}

TEST_F(Digest, MissingFileIsError53) {
    try {
        Init().ValidaHashDeArchivoMD5(dir.filePath("nao_existe"));
        FAIL() << "no error";
    } catch (const ErroExecucao& e) {
        EXPECT_EQ(e.Numero(), 53);
    }
}

TEST_F(Digest, TablesSignedByTheTestHelperPass) {
    teste::escreveTabela(caminho(), {QStringLiteral("COD|NOME"), QString::fromUtf8("1|São Paulo")}, true);
    EXPECT_EQ(teste::leArquivo(caminho()), exemplo(QByteArray(":):)") + kDigestDoExemplo));
    EXPECT_TRUE(Init().ValidaHashDeArchivoMD5(caminho()));
}

TEST_F(Digest, SigningDropsOldDigestLinesAndAppendsTheNewOne) {
    const QByteArray assinado = exemplo(QByteArray(":):)") + kDigestDoExemplo);
    EXPECT_EQ(MD5Driver::assinaConteudo("COD|NOME\r\n1|S\xe3o Paulo"), assinado);
    EXPECT_EQ(MD5Driver::assinaConteudo(assinado), assinado);
    // A stale digest in the middle and records after it: all the records end up covered.
    EXPECT_EQ(MD5Driver::assinaConteudo("COD|NOME\r:):)0123\r\n1|S\xe3o Paulo\r\n"), assinado);
    EXPECT_EQ(verifica(MD5Driver::assinaConteudo("A|B\r\n1|2\r\n:):)x\r\n3|4\r\n")), 0);
}

TEST(TextoParaBytes, OneWindows1252BytePerCharacter) {
    EXPECT_EQ(MD5Driver::TextoParaBytes(QString::fromUtf8("Ação €")), QByteArray("A\xe7\xe3o \x80"));
}
