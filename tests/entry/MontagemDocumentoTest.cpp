// Assembly of a checked form: barcode input, number, bars and the page's texts.
#include "entry/MontagemDocumento.h"
#include "barcode/ZovDados.h"
#include "barcode/codigoDeBarra.h"
#include "data/Referencias.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>

using namespace zove;

static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

Preenchimento comReferencia(const char* ref) {
    Preenchimento p;
    p.flags.MVD_REFERENCIA = QString::fromLatin1(ref);
    p.mes = {QStringLiteral("Março"), 3, 2};
    p.ano1 = "2025";
    p.tipoPeriodo = {"Decendial", 1, 0};
    p.valorPeriodo = {QStringLiteral("2º Decêndio de Janeiro"), 14, 1};
    p.anoPeriodo = "2024";
    p.numParcela = "12";
    p.quota = {QStringLiteral("Cota única"), 76, 3};
    p.anoQuota = "2026";
    p.ano = "2023";
    return p;
}

} // namespace

TEST(MontagemDocumento, ReferenciaNoCodigoENaPagina) {
    struct Caso {
        const char* ref;
        const char* codigo;
        QString pagina;
    };
    const Caso casos[] = {
        {"1", "032025", QStringLiteral("Março/2025")},
        {"", "032025", QStringLiteral("Março/2025")},
        {"2", "142024", QStringLiteral("2º Decêndio de Janeiro/2024")},
        {"3", "000012", QStringLiteral("12")},
        {"4", "762026", QStringLiteral("Cota única/2026")},
        {"5", "2023", QStringLiteral("2023")},
        {"9", "000000", QString()},
    };
    for (const Caso& c : casos) {
        const Preenchimento p = comReferencia(c.ref);
        EXPECT_EQ(PeriodoReferencia(p), QString::fromLatin1(c.codigo)) << c.ref;
        EXPECT_EQ(textoReferencia(p), c.pagina) << c.ref;
    }
}

TEST(MontagemDocumento, DadosDoCodigoDeBarras) {
    Preenchimento p = comReferencia("1");
    p.receita = {"1147 - ICMS", 1147, 0};
    p.tipoIdentificacao = {"CPF", 3, 2};
    p.identificacao = "111.444.777-35";
    p.numDoctoOrigem = "123";
    p.flags.MVD_CLASSE_VECTO = "1";
    auto d = dadosCodigoBarras(p);
    EXPECT_EQ(d->CodReceita(), QStringLiteral("1147"));
    EXPECT_EQ(d->tipoIdentificacao(), QStringLiteral("3"));
    EXPECT_EQ(d->NumIdentificacao(), QStringLiteral("11144477735"));
    EXPECT_EQ(d->PeriodoReferencia(), QStringLiteral("032025"));
    EXPECT_EQ(d->NumDocumentoOrigem(), QStringLiteral("00000123"));
    EXPECT_EQ(d->CodClasseVencimento(), QStringLiteral("1"));
    // nothing selected: left unset
    EXPECT_EQ(d->IdClasseVencimento(), QString());
    EXPECT_EQ(d->CodMunicipio(), QString());

    p.numDoctoOrigem.clear();
    p.classe = {"Microempresa", 104, 0};
    p.municipio = {"Aurora", 4205, 3};
    d = dadosCodigoBarras(p);
    EXPECT_EQ(d->NumDocumentoOrigem(), QStringLiteral("11144477735"));
    EXPECT_EQ(d->IdClasseVencimento(), QStringLiteral("104"));
    EXPECT_EQ(d->CodMunicipio(), QStringLiteral("4205"));
    p.identificacao = "25.000";
    EXPECT_EQ(dadosCodigoBarras(p)->NumDocumentoOrigem(), QStringLiteral("00025000"));
}

TEST(MontagemDocumento, InformacoesAdicionais) {
    Preenchimento p;
    p.receita = {"9784 - Doação", 9784, 0};
    p.flags.MVD_TELEFONE = "1";
    p.ddd = "61";
    p.fone = "32345678";
    p.classe = {QStringLiteral("Doação de pessoa jurídica - vencimento no dia 30"), 111, 0};
    EXPECT_EQ(informacoesAdicionais(p),
              QStringLiteral(" Fundo para Infancia e Adolescencia\r\nCNPJ: 11.222.333/0001-81\r\n\r\n"
                             "Telefone : (61) - 32345678\rDoação de pessoa jurídica - vencimento no dia 30"));
    p.receita = {"1147 - ICMS", 1147, 0};
    p.flags.MVD_TELEFONE = "9";
    p.classe = {};
    EXPECT_EQ(informacoesAdicionais(p), QStringLiteral(" "));
}

TEST(MontagemDocumento, NumeroDoModuloDeCodigoDeBarras) {
    const auto refs = Referencias::carregar(teste::pastaDadosEntregue());
    QTemporaryDir pasta;
    Preenchimento p = comReferencia("1");
    p.flags.MVD_CLASSE_VECTO = "1";
    p.receita = {"1147 - ICMS - Operações Próprias - Regime Normal", 1147, 0};
    p.tipoIdentificacao = {QStringLiteral("Inscrição Estadual"), 1, 0};
    p.identificacao = "26.000.000-0";
    p.classe = {"Microempresa - vencimento no dia 05", 104, 0};
    p.valorTotal = "1.234,56";

    const ResultadoMontagem r = montaDocumento(*refs, p, QSize(430, 52), pasta.path());
    ASSERT_TRUE(r.documento.has_value()) << r.erros.join(' ').toStdString();
    EXPECT_TRUE(r.erros.isEmpty());

    // The same facts handed to the barcode module directly.
    auto dados = std::make_shared<ZovDados>();
    dados->CodReceita("1147");
    dados->tipoIdentificacao("1");
    dados->NumIdentificacao("260000000");
    dados->PeriodoReferencia("032025");
    dados->NumDocumentoOrigem("260000000");
    dados->CodClasseVencimento("1");
    dados->IdClasseVencimento("104");
    codigoDeBarra composicao(*refs);
    composicao.Dados(dados);
    QString esperado;
    const QString linha = montaNumeroCodigoBarras(123456, composicao, esperado);
    EXPECT_EQ(esperado.size(), 44);
    EXPECT_EQ(r.documento->codigoBarras, esperado);
    EXPECT_EQ(r.documento->linhaDigitavel, linha);
    EXPECT_TRUE(r.documento->codigoBarras.startsWith(QStringLiteral("856")));
    EXPECT_EQ(r.documento->codigoBarras.mid(4, 11), QStringLiteral("00000123456"));
    EXPECT_TRUE(QFileInfo::exists(r.documento->arquivoBarras));
    EXPECT_EQ(r.documento->imagemBarras.size(), QSize(430, 52));
    EXPECT_EQ(r.documento->referencia, QStringLiteral("Março/2025"));
    EXPECT_EQ(r.documento->nomeReceita, QStringLiteral("ICMS - Operações Próprias - Regime Normal"));
    EXPECT_EQ(r.documento->informacoesAdicionais, QStringLiteral(" \rMicroempresa - vencimento no dia 05"));
}

TEST(MontagemDocumento, ComposicaoImpossivelNaoDaDocumento) {
    const auto refs = Referencias::carregar(teste::pastaDadosEntregue());
    QTemporaryDir pasta;
    // 7650's rule names a barcode layout that does not exist.
    Preenchimento p = comReferencia("9");
    p.receita = {"7650 - Receita de Serviços Gráficos", 7650, 0};
    p.tipoIdentificacao = {"CPF", 3, 0};
    p.identificacao = "11144477735";
    p.valorTotal = "10,00";
    ResultadoMontagem r = montaDocumento(*refs, p, QSize(430, 52), pasta.path());
    EXPECT_FALSE(r.documento.has_value());
    EXPECT_EQ(r.erros,
              QStringList{QStringLiteral("Erro na montagem do código de barras!\ntamanho encontrado: 0")});

    // An image that cannot be drawn on.
    p = comReferencia("1");
    p.receita = {"1155 - ICMS", 1155, 0};
    p.tipoIdentificacao = {"CPF", 3, 0};
    p.identificacao = "11144477735";
    p.valorTotal = "10,00";
    r = montaDocumento(*refs, p, QSize(0, 0), pasta.path());
    EXPECT_FALSE(r.documento.has_value());
    ASSERT_EQ(r.erros.size(), 1);
    EXPECT_TRUE(r.erros[0].startsWith(QStringLiteral("Erro ao desenhar o código de barras")));
    EXPECT_TRUE(QDir(pasta.path()).entryList(QDir::Files).isEmpty());
}
