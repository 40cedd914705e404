#include "import/RegistroZove.h"
#include "import/Logs.h"
#include "tabulon/ErroExecucao.h"

#include <gtest/gtest.h>

using namespace zove;
using namespace zove::registro;

namespace {

// Every one of the 20 fields, cut from a record where only that field holds something else than dots:
// the field comes back whole, and its neighbours do not take any of it.
TEST(RegistroZove, CadaCampoSaiDaSuaPosicao) {
    struct Caso {
        Campo campo;
        qsizetype inicio, tamanho;
    };
    const Caso casos[] = {{receita, 1, 4},
                          {tipoIdentificacao, 5, 1},
                          {NumIdentificacao, 6, 15},
                          {RazaoSocial, 21, 110},
                          {DDD, 131, 2},
                          {Telefone, 133, 8},
                          {NumDocumentoOrigem, 141, 15},
                          {CodClasseVencimento, 156, 5},
                          {CodMunicipio, 161, 6},
                          {DataVencimento, 167, 8},
                          {DataMaximaPagamento, 175, 8},
                          {parcelas, 183, 3},
                          {tipoPeriodo, 186, 5},
                          {periodo, 191, 5},
                          {ano, 196, 4},
                          {ValorPrincipal, 200, 10},
                          {Multa, 210, 10},
                          {Juros, 220, 10},
                          {CorrecaoMonetaria, 230, 10},
                          {total, 240, 11}};
    ASSERT_EQ(std::size(casos), static_cast<size_t>(quantidadeCampos));
    for (const Caso& c : casos) {
        SCOPED_TRACE(posicoes[c.campo].nome);
        QString texto(tamanhoRegistro, QLatin1Char('.'));
        // First and last character marked apart, so a cut one off at either end shows.
        QString marca(c.tamanho, QLatin1Char('x'));
        marca.front() = QLatin1Char('<');
        marca.back() = c.tamanho > 1 ? QLatin1Char('>') : QLatin1Char('<');
        texto.replace(c.inicio - 1, c.tamanho, marca);
        const Campos campos = corta(texto);
        for (int k = 0; k < quantidadeCampos; ++k) {
            if (k == c.campo)
                EXPECT_EQ(campos[k], marca);
            else
                EXPECT_FALSE(campos[k].contains(QLatin1Char('x')) || campos[k].contains(QLatin1Char('<')))
                    << posicoes[k].nome << " took " << campos[k].toStdString();
        }
    }
}

// Each byte is one character, so an accented name does not move the fields after it; the line
// terminator goes before anything else.
TEST(RegistroZove, LinhaWindows1252UmBytePorCaractere) {
    QByteArray bytes(250, '0');
    const QByteArray nome = "JOS\xC9 CONCEI\xC7\xC3O \x80\x81";
    bytes.replace(20, nome.size(), nome);
    bytes.replace(239, 11, "00000012345");
    for (const QByteArray& fim : {QByteArray(), QByteArray("\r"), QByteArray("\r\n"), QByteArray("\n")}) {
        const QString texto = textoDaLinha(bytes + fim);
        ASSERT_EQ(texto.size(), tamanhoRegistro);
        const Campos campos = corta(texto);
        EXPECT_TRUE(campos[RazaoSocial].startsWith(QStringLiteral("JOSÉ CONCEIÇÃO €\u0081")));
        EXPECT_EQ(campos[total], QStringLiteral("00000012345"));
    }
}

TEST(Logs, ItemNuncaPreenchidoDevolveLinhaVaziaSemMudarContagem) {
    Logs logs;
    logs.NewLog(QStringLiteral("primeira"));
    EXPECT_EQ(logs.Item(1)->Descricao(), QStringLiteral("primeira"));
    const auto vazia = logs.Item(5);
    ASSERT_TRUE(vazia);
    EXPECT_TRUE(vazia->Descricao().isEmpty());
    EXPECT_EQ(logs.Item(5), vazia); // the same object on the next read
    EXPECT_EQ(logs.Count(), 1);
    EXPECT_THROW(logs.Item(-1), tabulon::ErroExecucao);

    logs.NewLog(QStringLiteral("segunda"));
    EXPECT_EQ(logs.textos(), (QStringList{QStringLiteral("primeira"), QStringLiteral("segunda")}));
}

TEST(Logs, AddRangeCompartilhaAsLinhasEResetEsvazia) {
    Logs arquivo, registro;
    arquivo.NewLog(QStringLiteral("a"));
    registro.NewLog(QStringLiteral("b"));
    registro.NewLog(QStringLiteral("c"));
    arquivo.AddRange(registro);
    arquivo.AddRange(arquivo);
    EXPECT_EQ(arquivo.textos(), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                                             QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    registro.Item(1)->Descricao(QStringLiteral("B"));
    EXPECT_EQ(arquivo.Item(2)->Descricao(), QStringLiteral("B"));
    arquivo.Reset();
    EXPECT_EQ(arquivo.Count(), 0);
    EXPECT_TRUE(arquivo.textos().isEmpty());
}

} // namespace
