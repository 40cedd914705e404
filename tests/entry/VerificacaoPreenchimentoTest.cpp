// The complete check of the entry form over plain values, on the delivered tables and a fixed today.
#include "entry/VerificacaoPreenchimento.h"
#include "data/Referencias.h"
#include "support/TestSupport.h"
#include "tabulon/Colecoes.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

using namespace zove;

static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

const QDate hoje(2025, 3, 14);

class Verificacao : public ::testing::Test {
protected:
    static void SetUpTestSuite() { refs = Referencias::carregar(teste::pastaDadosEntregue()).release(); }
    static void TearDownTestSuite() {
        delete refs;
        refs = nullptr;
    }

    QStringList erros(const Preenchimento& p, QDate dia = hoje) {
        return verificaPreenchimento(p, ContextoVerificacao{*refs, dia});
    }

    // A complete document of revenue 1147 (month reference, due-date class, due date).
    static Preenchimento completo() {
        Preenchimento p;
        p.flags.MVD_NOME = "9";
        p.flags.MVD_TIPO_DOCUMENTO = "1";
        p.flags.MVD_DOCUMENTO = "9";
        p.flags.MVD_REFERENCIA = "1";
        p.flags.MVD_VENCIMENTO = "1";
        p.flags.MVD_CLASSE_VECTO = "1";
        p.flags.MVD_MUNIC = "9";
        p.flags.MVD_TELEFONE = "9";
        p.tipoReceita = {QStringLiteral("ICMS"), 1, 0};
        p.receita = {QStringLiteral("1147 - ICMS - Operações Próprias - Regime Normal"), 1147, 0};
        p.tipoIdentificacao = {QStringLiteral("Inscrição Estadual"), 1, 0};
        p.identificacao = "25.000.000-1";
        p.classe = {QStringLiteral("Comércio varejista - vencimento no dia 10"), 101, 2};
        p.classeHabilitada = true;
        p.mes = {QStringLiteral("Fevereiro"), 2, 1};
        p.ano1 = "2025";
        p.dataVencimento = "10/03/2025";
        p.dataMaxPagto = "31/03/2025";
        p.valorPrincipal = "150,00";
        p.valorMulta = p.valorJuros = p.valorCorrecao = "0,00";
        p.valorTotal = "150,00";
        return p;
    }

    static Referencias* refs;
};
Referencias* Verificacao::refs = nullptr;

} // namespace

TEST_F(Verificacao, DocumentoCompletoPassa) {
    EXPECT_EQ(erros(completo()), QStringList());
}

TEST_F(Verificacao, FormularioVazioNumeraTodosOsErros) {
    Preenchimento vazio;
    vazio.valorTotal = "0,00";
    const QStringList e = erros(vazio);
    const QStringList esperados{
        " - Tipo de Receita não preenchido",
        " - Codigo de Receita não preenchido",
        " - Tipo de identificação não preenchido",
        " - Número de identificação não preenchido",
        " - Valor Total a Pagar do Documento é igual a zero. Preencha o campo Valor Principal",
        " - Data máxima para pagamento não preenchida",
        " - Período de referência não preenchido",
    };
    EXPECT_EQ(e, esperados);
    EXPECT_EQ(textoErros(e.mid(0, 3)), QStringLiteral("1 - Tipo de Receita não preenchido\r\n"
                                                      "2 - Codigo de Receita não preenchido\r\n"
                                                      "3 - Tipo de identificação não preenchido\r\n"));
    const QString relatorio = textoRelatorioErros(e);
    EXPECT_TRUE(relatorio.startsWith(QStringLiteral(
        "Foram encontrados os seguintes erros de preechimento no ZOVE: \r\n\r\n\r\n1 - TIPO DE RECEITA")));
    EXPECT_TRUE(relatorio.contains(QStringLiteral("\r\n7 - PERÍODO DE REFERÊNCIA NÃO PREENCHIDO\r\n")));
    EXPECT_EQ(relatorio, relatorio.toUpper().replace(
                             QStringLiteral("FORAM ENCONTRADOS OS SEGUINTES ERROS DE PREECHIMENTO NO ZOVE"),
                             QStringLiteral("Foram encontrados os seguintes erros de preechimento no ZOVE")));
    EXPECT_STREQ(TituloErrosPreenchimento, "Erro de preenchimento no ZOVE");
}

// One change to the complete document, and exactly the lines it must give.
TEST_F(Verificacao, CadaLinhaDaVerificacao) {
    struct Caso {
        const char* nome;
        std::function<void(Preenchimento&)> muda;
        QStringList esperados;
    };
    const QString semNome = " - Nome/Razão Social não preenchido";
    const QString origemPreenchida = " - Número do Documento origem não pode ser preenchido";
    const QString anoVazio = " - Ano da referência deve ser preenchido ";
    const QString anoAlem =
        " - Ano da referência deve ser menor, igual, ou seguinte ao ano da data corrente. ";
    const QString ano1990 = " - Ano inválido. Ano não poderá ser menor que 1990 ";
    const QString periodo = " - Período de referência não preenchido";
    const QString classeInvalida = " - Período de Referência inválido para a Classe selecionada";
    auto semClasse = [](Preenchimento& p) {
        p.classe = {};
        p.classeHabilitada = false;
    };
    const Caso casos[] = {
        {"nome exigido", [](Preenchimento& p) { p.flags.MVD_NOME = "1"; }, {semNome}},
        {"nome exigido preenchido",
         [](Preenchimento& p) {
             p.flags.MVD_NOME = "1";
             p.nome = "J.R. COMERCIO LTDA.";
         },
         {}},
        {"total zero com principal",
         [](Preenchimento& p) { p.valorTotal = "0,00"; },
         {" - Valor Total a Pagar do Documento é igual a zero. Preencha o campo Valor Principal"}},
        {"origem proibida", [](Preenchimento& p) { p.numDoctoOrigem = "123"; }, {origemPreenchida}},
        {"flag de origem vazia vale 9",
         [](Preenchimento& p) {
             p.flags.MVD_DOCUMENTO = "";
             p.numDoctoOrigem = "123";
         },
         {origemPreenchida}},
        {"flag de origem vazia, campo vazio", [](Preenchimento& p) { p.flags.MVD_DOCUMENTO = ""; }, {}},
        {"origem exigida",
         [](Preenchimento& p) { p.flags.MVD_DOCUMENTO = "5"; },
         {" - Número do Documento origem não preenchido"}},
        {"origem zero",
         [](Preenchimento& p) {
             p.flags.MVD_DOCUMENTO = "5";
             p.numDoctoOrigem = "000";
         },
         {" - Número do Documento origem não pode ser zero"}},
        {"origem opcional vazia", [](Preenchimento& p) { p.flags.MVD_DOCUMENTO = "6"; }, {}},
        {"origem opcional inválida",
         [](Preenchimento& p) {
             p.flags.MVD_DOCUMENTO = "6";
             p.numDoctoOrigem = "123";
         },
         {" - Número do Documento origem é inválido"}},
        {"origem por módulo 11 inválida",
         [](Preenchimento& p) {
             p.flags.MVD_DOCUMENTO = "4";
             p.numDoctoOrigem = "123";
         },
         {" - Número do Documento origem é inválido"}},
        {"origem por módulo 11 válida",
         [](Preenchimento& p) {
             p.flags.MVD_DOCUMENTO = "4";
             p.numDoctoOrigem = "124";
         },
         {}},
        {"classe habilitada sem escolha",
         [](Preenchimento& p) { p.classe = {}; },
         {" - Classe de Vencimento não preenchida"}},
        {"classe desabilitada", semClasse, {}},
        {"município exigido",
         [](Preenchimento& p) { p.flags.MVD_MUNIC = "1"; },
         {" - Município não preenchido"}},
        {"município escolhido",
         [](Preenchimento& p) {
             p.flags.MVD_MUNIC = "1";
             p.municipio = {"Aurora", 1, 0};
         },
         {}},
        {"vencimento vazio",
         [](Preenchimento& p) { p.dataVencimento = ""; },
         {" - Data de vencimento não preenchida"}},
        {"vencimento impossível",
         [](Preenchimento& p) { p.dataVencimento = "31/02/2025"; },
         {" - Data de vencimento inválida"}},
        {"vencimento em letras",
         [](Preenchimento& p) { p.dataVencimento = "abc"; },
         {" - Data de vencimento inválida"}},
        {"vencimento dois anos à frente",
         [](Preenchimento& p) { p.dataVencimento = "10/01/2027"; },
         {" - Ano da Data de vencimento deve ser menor, igual, ou seguinte ao ano da data corrente"}},
        {"vencimento no ano seguinte", [](Preenchimento& p) { p.dataVencimento = "31/12/2026"; }, {}},
        {"vencimento não se aplica",
         [](Preenchimento& p) {
             p.flags.MVD_VENCIMENTO = "9";
             p.dataVencimento = "";
         },
         {}},
        {"data máxima vazia",
         [](Preenchimento& p) { p.dataMaxPagto = " "; },
         {" - Data máxima para pagamento não preenchida"}},
        {"data máxima impossível",
         [](Preenchimento& p) { p.dataMaxPagto = "31/02/2025"; },
         {" - Data máxima para pagamento inválida"}},
        {"data máxima no mês seguinte",
         [](Preenchimento& p) { p.dataMaxPagto = "01/04/2025"; },
         {" - Data máxima para pagamento não pode ser maior que {31/03/2025} "}},
        {"data máxima sem barras", [](Preenchimento& p) { p.dataMaxPagto = "20032025"; }, {}},
        {"telefone exigido",
         [](Preenchimento& p) { p.flags.MVD_TELEFONE = "1"; },
         {" - DDD não preenchido ", " - Telefone não preenchido "}},
        {"só o DDD",
         [](Preenchimento& p) {
             p.flags.MVD_TELEFONE = "1";
             p.ddd = "61";
         },
         {" - Telefone não preenchido "}},
        {"mês sem escolha", [](Preenchimento& p) { p.mes = {}; }, {periodo}},
        {"ano vazio", [](Preenchimento& p) { p.ano1 = ""; }, {anoVazio}},
        {"ano dois à frente", [](Preenchimento& p) { p.ano1 = "2027"; }, {anoAlem}},
        {"ano antes de 1990", [](Preenchimento& p) { p.ano1 = "1989"; }, {ano1990, classeInvalida}},
        {"ano em letras",
         [&](Preenchimento& p) {
             semClasse(p);
             p.ano1 = "abcd";
         },
         {ano1990}},
        {"classe fora de vigência",
         [](Preenchimento& p) {
             p.classe = {"Comércio varejista - dia 10", 112, 5};
         },
         {classeInvalida}},
        {"classe ainda não vigente",
         [](Preenchimento& p) {
             p.classe = {"Comércio varejista - dia 12", 113, 6};
         },
         {classeInvalida}},
        {"classe vigente no período antigo",
         [](Preenchimento& p) {
             p.classe = {"dia 10", 112, 5};
             p.ano1 = "2010";
         },
         {}},
        {"periodicidade sem período",
         [&](Preenchimento& p) {
             semClasse(p);
             p.flags.MVD_REFERENCIA = "2";
             p.tipoPeriodo = {"Mensal", 3, 2};
             p.anoPeriodo = "2025";
         },
         {periodo}},
        {"periodicidade completa",
         [&](Preenchimento& p) {
             semClasse(p);
             p.flags.MVD_REFERENCIA = "2";
             p.tipoPeriodo = {"Mensal", 3, 2};
             p.valorPeriodo = {"Janeiro", 1, 0};
             p.anoPeriodo = "2026";
         },
         {}},
        {"parcela vazia",
         [&](Preenchimento& p) {
             semClasse(p);
             p.flags.MVD_REFERENCIA = "3";
         },
         {" - Número de Parcela deve ser preenchido "}},
        {"parcela zero",
         [&](Preenchimento& p) {
             semClasse(p);
             p.flags.MVD_REFERENCIA = "3";
             p.numParcela = "0";
         },
         {" - Número da parcela deve estar entre 1 e 999"}},
        {"parcela 1000",
         [&](Preenchimento& p) {
             semClasse(p);
             p.flags.MVD_REFERENCIA = "3";
             p.numParcela = "1000";
         },
         {" - Número da parcela deve estar entre 1 e 999"}},
        {"parcela 999",
         [&](Preenchimento& p) {
             semClasse(p);
             p.flags.MVD_REFERENCIA = "3";
             p.numParcela = "999";
         },
         {}},
        {"cota sem escolha",
         [&](Preenchimento& p) {
             semClasse(p);
             p.flags.MVD_REFERENCIA = "4";
             p.anoQuota = "2025";
         },
         {periodo}},
        {"cota ano vazio",
         [&](Preenchimento& p) {
             semClasse(p);
             p.flags.MVD_REFERENCIA = "4";
             p.quota = {"1ª Cota", 73, 0};
         },
         {anoVazio}},
        {"exercício vazio",
         [&](Preenchimento& p) {
             semClasse(p);
             p.flags.MVD_REFERENCIA = "5";
         },
         {" - O exercício deve ser informado "}},
        {"exercício corrente",
         [&](Preenchimento& p) {
             semClasse(p);
             p.flags.MVD_REFERENCIA = "5";
             p.ano = "2025";
         },
         {}},
        {"exercício seguinte",
         [&](Preenchimento& p) {
             semClasse(p);
             p.flags.MVD_REFERENCIA = "5";
             p.ano = "2026";
         },
         {" - O exercício deve ser igual ou menor ao ano da data corrente. "}},
        {"exercício antes de 1990",
         [&](Preenchimento& p) {
             semClasse(p);
             p.flags.MVD_REFERENCIA = "5";
             p.ano = "1989";
         },
         {ano1990}},
        {"sem referência",
         [&](Preenchimento& p) {
             semClasse(p);
             p.flags.MVD_REFERENCIA = "9";
             p.mes = {};
         },
         {}},
    };
    for (const Caso& c : casos) {
        Preenchimento p = completo();
        c.muda(p);
        EXPECT_EQ(erros(p), c.esperados) << c.nome;
    }
}

TEST_F(Verificacao, DataLimiteDosParametros) {
    const auto original = refs->oPARAMETROSs;
    auto parametros = std::make_shared<tabulon::PARAMETROSs>();
    parametros->NewParametros("1", "20/03/2025", "1.0", "ZOVE", "1147");
    refs->oPARAMETROSs = parametros;
    const QStringList e = erros(completo());
    refs->oPARAMETROSs = original;
    EXPECT_EQ(
        e, QStringList{" - Data máxima para pagamento não pode ser maior que a data limite {20/03/2025} "});
}

TEST(DiasDoPeriodo, PorTipoDeReferencia) {
    struct Caso {
        const char* nome;
        const char* ref;
        Selecao tipoPeriodo;
        Selecao valor;
        const char* ano;
        const char* primeiro;
        const char* ultimo;
    };
    const Caso casos[] = {
        {"mês", "1", {}, {"Fevereiro", 2, 1}, "2025", "01/02/2025", "28/02/2025"},
        {"fevereiro bissexto", "", {}, {"Fevereiro", 2, 1}, "2024", "01/02/2024", "29/02/2024"},
        {"mês pela periodicidade",
         "2",
         {"Mensal", 3, 2},
         {"Dezembro", 12, 11},
         "2025",
         "01/12/2025",
         "31/12/2025"},
        {"1º decêndio",
         "2",
         {"Decendial", 1, 0},
         {"1º Decêndio de Janeiro", 13, 0},
         "2025",
         "01/01/2025",
         "10/01/2025"},
        {"2º decêndio",
         "2",
         {"Decendial", 1, 0},
         {"2º Decêndio de Fevereiro", 17, 4},
         "2024",
         "11/02/2024",
         "20/02/2024"},
        {"3º decêndio bissexto",
         "2",
         {"Decendial", 1, 0},
         {"3º Decêndio de Fevereiro", 18, 5},
         "2024",
         "21/02/2024",
         "29/02/2024"},
        {"1ª quinzena",
         "2",
         {"Quinzenal", 2, 1},
         {"1ª Quinzena de Fevereiro", 51, 2},
         "2023",
         "01/02/2023",
         "15/02/2023"},
        {"2ª quinzena",
         "2",
         {"Quinzenal", 2, 1},
         {"2ª Quinzena de Fevereiro", 52, 3},
         "2023",
         "16/02/2023",
         "28/02/2023"},
        {"trimestre", "2", {"Trimestral", 4, 3}, {"3º Trimestre", 75, 2}, "2025", "01/07/2025", "30/09/2025"},
        {"semestre", "2", {"Semestral", 5, 4}, {"2º Semestre", 78, 1}, "2025", "01/07/2025", "31/12/2025"},
    };
    for (const Caso& c : casos) {
        Preenchimento p;
        p.flags.MVD_REFERENCIA = QString::fromLatin1(c.ref);
        if (p.flags.MVD_REFERENCIA == QLatin1String("2")) {
            p.tipoPeriodo = c.tipoPeriodo;
            p.valorPeriodo = c.valor;
            p.anoPeriodo = QString::fromLatin1(c.ano);
        } else {
            p.mes = c.valor;
            p.ano1 = QString::fromLatin1(c.ano);
        }
        const auto dias = checagem::diasDoPeriodo(p);
        ASSERT_TRUE(dias.has_value()) << c.nome;
        EXPECT_EQ(dias->first, QString::fromLatin1(c.primeiro)) << c.nome;
        EXPECT_EQ(dias->second, QString::fromLatin1(c.ultimo)) << c.nome;
    }
    // Nothing to compare without a selected period, a numeric year, or for other kinds.
    Preenchimento p;
    p.ano1 = "2025";
    EXPECT_FALSE(checagem::diasDoPeriodo(p).has_value());
    p.mes = {"Janeiro", 1, 0};
    p.ano1 = "20x5";
    EXPECT_FALSE(checagem::diasDoPeriodo(p).has_value());
    p.ano1 = "2025";
    p.flags.MVD_REFERENCIA = "3";
    EXPECT_FALSE(checagem::diasDoPeriodo(p).has_value());
}

TEST(Checagens, AnosEDatas) {
    using P = checagem::ProblemaAno;
    const std::tuple<const char*, int, P> anos[] = {{"", 2026, P::Vazio},
                                                    {" ", 2026, P::Vazio},
                                                    {"2026", 2026, P::Nenhum},
                                                    {"2027", 2026, P::AlemDoMaximo},
                                                    {"1990", 2026, P::Nenhum},
                                                    {"1989", 2026, P::AntesDoMinimo},
                                                    {"abc", 2026, P::AntesDoMinimo},
                                                    {"02025", 2026, P::Nenhum}};
    for (const auto& [ano, maximo, problema] : anos)
        EXPECT_EQ(checagem::confereAno(QString::fromLatin1(ano), maximo), problema) << ano;

    EXPECT_EQ(checagem::leData("29/02/2024", hoje), QDate(2024, 2, 29));
    EXPECT_EQ(checagem::leData("01032025", hoje), QDate(2025, 3, 1));
    EXPECT_FALSE(checagem::leData("29/02/2025", hoje).has_value());
    EXPECT_FALSE(checagem::leData("", hoje).has_value());
    EXPECT_FALSE(checagem::leData("12/2025", hoje).has_value());
}
