// Checking and merging a taxpayer exchange file, without any window.
#include "data/CadastroContribuintes.h"
#include "data/FachadaFixture.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zove;

namespace {

const QByteArray kCab =
    QByteArrayLiteral("TIPO_DOCUMENTO|DOCUMENTO_IDENTIFICACAO|RAZAO_SOCIAL|NUM_DDD|NUM_FONE");

QStringList comoLista(const tabulon::CONTRIBUINTE& c) {
    return {c.TIPO_DOCUMENTO, c.DOCUMENTO_IDENTIFICACAO, c.RAZAO_SOCIAL, c.NUM_DDD, c.NUM_FONE};
}

TEST(CadastroLeitura, GoodFileGivesItsTaxpayersWhateverTheLineEnds) {
    // Header with blanks after it, an empty line, a surplus value, an entity name in the name, a
    // Windows-1252 letter, and lines ending in CR LF, LF and CR.
    const QByteArray conteudo = kCab + "   \r\n3|11122233344|Jo&atilde;o Silva|61|5551234\r\n\r\n"
                                       "2|12345678000190|CONCEI\xC7\xC3O LTDA|11|12345678|extra\n"
                                       "1|0012345|Bar|||\r";
    const auto r = cadastro::leArquivo(conteudo);
    ASSERT_TRUE(r.ok) << r.mensagem().toStdString();
    ASSERT_EQ(r.contribuintes.size(), 3u);
    EXPECT_EQ(comoLista(r.contribuintes[0]),
              (QStringList{"3", "11122233344", "João Silva", "61", "5551234"}));
    EXPECT_EQ(comoLista(r.contribuintes[1]),
              (QStringList{"2", "12345678000190", QStringLiteral("CONCEIÇÃO LTDA"), "11", "12345678"}));
    EXPECT_EQ(comoLista(r.contribuintes[2]), (QStringList{"1", "0012345", "Bar", "", ""}));
}

TEST(CadastroLeitura, TheFirstBytesDecideWhetherTheFileOpensWithTheHeader) {
    struct Caso {
        const char* nome;
        QByteArray inicio;
        bool continua;
        bool ok;
    };
    const Caso casos[] = {
        {"header and a line end", kCab + "\r\n3|1|A|61|1", true, true},
        {"header with blanks, the whole file", "  " + kCab + "  ", false, true},
        {"header ending in a bare LF", kCab + "\n", true, true},
        {"nothing read: left to the full check", "", false, true},
        {"columns in another order",
         "DOCUMENTO_IDENTIFICACAO|TIPO_DOCUMENTO|RAZAO_SOCIAL|NUM_DDD|NUM_FONE\r\n", true, false},
        {"a first line running past what was read", kCab + QByteArray(100, ' '), true, false},
        {"a zip archive", QByteArray("PK\x03\x04\x14\x00\x00\x00", 8), true, false},
        {"UTF-8 mark before the header", "\xEF\xBB\xBF" + kCab + "\r\n", true, false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        const auto r = cadastro::confereCabecalho(c.inicio, c.continua);
        EXPECT_EQ(r.ok, c.ok);
        if (!c.ok) {
            EXPECT_EQ(r.linha, 1);
            EXPECT_TRUE(r.mensagem().startsWith(QString::fromUtf8(cadastro::MensagemIncompativel)));
        }
    }
}

TEST(CadastroLeitura, HeaderOnlyIsAGoodEmptyFile) {
    const auto r = cadastro::leArquivo(kCab + "\r\n");
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.contribuintes.empty());
}

TEST(CadastroLeitura, AnyBadLineRefusesTheWholeFileNamingTheLine) {
    const QByteArray bom = "3|1|A|61|1\r\n";
    struct Caso {
        const char* nome;
        QByteArray conteudo;
        qsizetype linha;
        const char* motivoContem;
    };
    const Caso casos[] = {
        {"empty file", "", 0, "vazio"},
        {"other column order",
         "DOCUMENTO_IDENTIFICACAO|TIPO_DOCUMENTO|RAZAO_SOCIAL|NUM_DDD|NUM_FONE\r\n" + bom, 1, "cabeçalho"},
        {"UTF-8 mark before the header", "\xEF\xBB\xBF" + kCab + "\r\n" + bom, 1, "UTF-8"},
        {"four values", kCab + "\r\n" + bom + "3|2|B|61\r\n", 3, "4 valor(es)"},
        {"NUL", kCab + "\r\n" + bom + QByteArray("3|2|B\0|61|1\r\n", 14), 3, "nulo"},
        {"digest-like line", kCab + "\r\n" + bom + bom + ":):)0123456789ABCDEF0123456789ABCDEF\r\n", 4,
         ":):)"},
        {"UTF-8 text", kCab + "\r\n3|2|CONCEI\xC3\x87\xC3\x83O|61|1\r\n", 2, "UTF-8"},
        {"unassigned byte", kCab + "\r\n" + bom + "3|2|A\x81|61|1\r\n", 3, "0x81"},
        {"control character", kCab + "\r\n3|2|A\x1B|61|1\r\n", 2, "controle"},
        {"the header again (two files joined)", kCab + "\r\n" + bom + " " + kCab + "\r\n" + bom, 3,
         "repete o cabeçalho"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        const auto r = cadastro::leArquivo(c.conteudo);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.contribuintes.empty());
        EXPECT_EQ(r.linha, c.linha);
        EXPECT_TRUE(r.motivo.contains(QString::fromUtf8(c.motivoContem))) << r.motivo.toStdString();
        EXPECT_TRUE(r.mensagem().startsWith(
            QStringLiteral("O arquivo de importação não é compatível com o esperado.")));
        if (c.linha > 0) {
            EXPECT_TRUE(r.mensagem().contains(QStringLiteral("Linha %1:").arg(c.linha)));
        }
    }
}

TEST(CadastroMescla, SkipsTaxpayersAlreadyThereAndKeepsOrder) {
    tabulon::CONTRIBUINTEs atual;
    atual.Inicializa_Array_Campos(QString::fromLatin1(kCab));
    atual.NewContribuinte("3", "111", "ANA", "61", "1");
    atual.NewContribuinte("3", "111", "ANA", "61", "1"); // a double already saved stays
    atual.NewContribuinte("2", "222", "BETA", "11", "2");

    const auto lidos = cadastro::leArquivo(kCab + "\r\n3|111|ANA|61|1\r\n3|111|ANA|61|9\r\n4|333|GAMA||\r\n"
                                                  "4|333|GAMA||\r\n2|222|BETA|11|2\r\n");
    ASSERT_TRUE(lidos.ok);
    const auto m = cadastro::mescla(atual, lidos.contribuintes);
    EXPECT_EQ(m.incluidos, 2);
    EXPECT_EQ(m.repetidos, 3);
    EXPECT_EQ(teste::registros(atual), (QList<QStringList>{{"3", "111", "ANA", "61", "1"},
                                                           {"3", "111", "ANA", "61", "1"},
                                                           {"2", "222", "BETA", "11", "2"},
                                                           {"3", "111", "ANA", "61", "9"},
                                                           {"4", "333", "GAMA", "", ""}}));

    // Merging the same file again adds nothing.
    const auto denovo = cadastro::mescla(atual, lidos.contribuintes);
    EXPECT_EQ(denovo.incluidos, 0);
    EXPECT_EQ(denovo.repetidos, 5);
    EXPECT_EQ(atual.Count(), 5);
}

TEST(CadastroCopia, BackupNamesAreDatedAndNeverReused) {
    QTemporaryDir pasta;
    const QDateTime quando(QDate(2026, 12, 10), QTime(14, 30, 5));
    const QString nome = cadastro::nomeCopiaDeSeguranca(pasta.path(), "ZOV", quando);
    EXPECT_EQ(nome, QStringLiteral("ZOV_copia_20261210_143005"));
    teste::gravaArquivo(QDir(pasta.path()).filePath(nome), "x");
    const QString segundo = cadastro::nomeCopiaDeSeguranca(pasta.path(), "ZOV", quando);
    EXPECT_EQ(segundo, QStringLiteral("ZOV_copia_20261210_143005_2"));
    teste::gravaArquivo(QDir(pasta.path()).filePath(segundo), "x");
    EXPECT_EQ(cadastro::nomeCopiaDeSeguranca(pasta.path(), "ZOV", quando),
              QStringLiteral("ZOV_copia_20261210_143005_3"));
}

} // namespace
