// Checking and merging a taxpayer exchange file, without any window.
#include "data/CadastroContribuintes.h"
#include "data/FachadaFixture.h"

#include "tabulon/Texto1252.h"

#include <QBuffer>
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

// The header may have blanks of any length around it; a file of another kind is refused at its first byte
// that differs, without being read further.
TEST(CadastroLeitura, TheHeaderMayHaveBlanksAroundItAndNothingElse) {
    const QByteArray muitos(300000, ' ');
    struct Caso {
        const char* nome;
        QByteArray conteudo;
        bool ok;
    };
    const Caso casos[] = {
        {"header and a line end", kCab + "\r\n3|1|A|61|1", true},
        {"header alone, without a line end", "  " + kCab + "  ", true},
        {"header ending in a bare LF", kCab + "\n", true},
        {"blanks of any length around it", muitos + kCab + muitos + "\r\n3|1|A|61|1\r\n", true},
        {"columns in another order",
         "DOCUMENTO_IDENTIFICACAO|TIPO_DOCUMENTO|RAZAO_SOCIAL|NUM_DDD|NUM_FONE\r\n", false},
        {"something after the blanks", kCab + muitos + "x\r\n", false},
        {"a tab is no blank", kCab + "\t\r\n", false},
        {"a zip archive", QByteArray("PK\x03\x04\x14\x00\x00\x00", 8) + muitos, false},
        {"UTF-8 mark before the header", "\xEF\xBB\xBF" + kCab + "\r\n", false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        const auto r = cadastro::leArquivo(c.conteudo);
        EXPECT_EQ(r.ok, c.ok) << r.mensagem().toStdString();
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
        {"UTF-8 text", kCab + "\n3|1|A|61|1\n3|2|CONCEI\xC3\x87\xC3\x83O|61|1\n", 3, "UTF-8"},
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

// Every UTF-8 byte sequence is also Windows-1252 text the program may store, so the encoding is guessed
// on the whole file, and never against a file the program may have written itself (CR LF after every
// line): a file is taken for UTF-8 only when all of its accented text reads as UTF-8 characters that
// Windows-1252 also has, and some line of it does not end in CR LF.
TEST(CadastroLeitura, TheEncodingGuessNeverRefusesTheProgramsOwnFiles) {
    struct Caso {
        const char* nome;
        QByteArray nomes; // names separated by "/"
        const char* fimDeLinha;
        bool ok;
    };
    const Caso casos[] = {
        {"accented capital and a dash",
         "CAF\xC9\x96"
         "BAR LTDA",
         "\n", true},
        {"accented capital and a no-break space",
         "JOS\xC9\xA0"
         "DA SILVA",
         "\n", true},
        {"UTF-8 shaped text in the program's own line ends", "CONCEI\xC3\x87\xC3\x83O/S\xC3\xA3O", "\r\n",
         true},
        {"control characters and unassigned bytes, all storable", "A\x1B\x01\x7F\x81\x8D\x8F\x90\x9D\tB",
         "\n", true},
        {"UTF-8 beside Windows-1252 text", "CONCEI\xC3\x87\xC3\x83O/JOS\xC9 SILVA", "\n", true},
        {"UTF-8 with LF line ends", "ANA/CONCEI\xC3\x87\xC3\x83O/S\xC3\xA3O", "\n", false},
        {"UTF-8 with CR line ends", "CONCEI\xC3\x87\xC3\x83O \xE2\x80\x93 ME", "\r", false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        QByteArray conteudo = kCab + c.fimDeLinha;
        const QList<QByteArray> nomes = c.nomes.split('/');
        for (qsizetype i = 0; i < nomes.size(); ++i)
            conteudo += "3|" + QByteArray::number(i) + "|" + nomes[i] + "|61|1" + c.fimDeLinha;
        const auto r = cadastro::leArquivo(conteudo);
        EXPECT_EQ(r.ok, c.ok) << r.mensagem().toStdString();
        if (c.ok) {
            ASSERT_EQ(r.contribuintes.size(), size_t(nomes.size()));
            for (qsizetype i = 0; i < nomes.size(); ++i)
                EXPECT_EQ(r.contribuintes[size_t(i)].RAZAO_SOCIAL, tabulon::decodifica1252(nomes[i]));
        } else {
            EXPECT_TRUE(r.motivo.contains(QStringLiteral("UTF-8"))) << r.motivo.toStdString();
            EXPECT_EQ(r.linha, c.nomes.startsWith("ANA") ? 3 : 2);
        }
    }
}

// However small the blocks read and the part of a line kept in memory, a file reads the same: lines
// longer than what is kept are read again when they hold a taxpayer, a CR LF may fall across two blocks.
TEST(CadastroLeitura, ReadsTheSameWhateverTheSizesOfTheReads) {
    const QByteArray longo(3000, 'N');
    const QByteArray conteudos[] = {
        kCab + "\r\n3|1|" + longo + "|61|1|" + longo + "\r\n3|2|B|61|1\r\n\r\n3|3|C|6|1",
        "   " + kCab + "   \r3|1|A|61|1\r\r\n3|2|" + longo + "|61\n",
        kCab + "\n3|1|A|61|1\n:):)" + longo + "|1|1|1|1\n",
        kCab + "\r\n3|1|A|61|1\r\n" + longo + " " + kCab + "\r\n",
        kCab + "\n3|1|CONCEI\xC3\x87\xC3\x83O|61|1\n",
        kCab + "\r\n3|1|CONCEI\xC3\x87\xC3\x83O|61|1\r\n",
    };
    const cadastro::TamanhosDeLeitura tamanhos[] = {{1, 4}, {2, 5}, {3, 17}, {7, 64}, {4096, 100}};
    for (const QByteArray& conteudo : conteudos) {
        QBuffer inteiro;
        inteiro.setData(conteudo);
        inteiro.open(QIODevice::ReadOnly);
        QList<QStringList> esperados;
        const auto esperado =
            cadastro::leArquivo(inteiro, [&](tabulon::CONTRIBUINTE&& c) { esperados.append(comoLista(c)); });
        for (const auto& t : tamanhos) {
            SCOPED_TRACE(QStringLiteral("%1 bytes: blocks of %2, %3 kept")
                             .arg(conteudo.size())
                             .arg(t.bloco)
                             .arg(t.linhaEmMemoria)
                             .toStdString());
            QBuffer buffer;
            buffer.setData(conteudo);
            buffer.open(QIODevice::ReadOnly);
            QList<QStringList> lidos;
            const auto r = cadastro::leArquivo(
                buffer, [&](tabulon::CONTRIBUINTE&& c) { lidos.append(comoLista(c)); }, t);
            EXPECT_EQ(r.ok, esperado.ok);
            EXPECT_EQ(r.linha, esperado.linha);
            EXPECT_EQ(r.motivo, esperado.motivo);
            EXPECT_EQ(lidos, esperados);
        }
    }
    // The first file's long taxpayer comes whole; the second file is refused at its short line.
    const auto r = cadastro::leArquivo(conteudos[0]);
    ASSERT_TRUE(r.ok) << r.mensagem().toStdString();
    ASSERT_EQ(r.contribuintes.size(), 3u);
    EXPECT_EQ(comoLista(r.contribuintes[0]), (QStringList{"3", "1", QString::fromLatin1(longo), "61", "1"}));
    const auto curta = cadastro::leArquivo(conteudos[1]);
    EXPECT_EQ(curta.linha, 4);
    EXPECT_TRUE(curta.motivo.contains(QStringLiteral("4 valor(es)"))) << curta.motivo.toStdString();
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
