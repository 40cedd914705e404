// What a revenue switches on the entry form, the lists it offers, and the date and name helpers.
#include "entry/RegrasReceita.h"
#include "data/Referencias.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace zove;

static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

using E = EstadoCampo;

FlagsReceita flags(const char* nome, const char* documento, const char* referencia, const char* vencimento,
                   const char* classe, const char* munic, const char* telefone) {
    FlagsReceita f;
    f.MVD_NOME = QString::fromLatin1(nome);
    f.MVD_DOCUMENTO = QString::fromLatin1(documento);
    f.MVD_REFERENCIA = QString::fromLatin1(referencia);
    f.MVD_VENCIMENTO = QString::fromLatin1(vencimento);
    f.MVD_CLASSE_VECTO = QString::fromLatin1(classe);
    f.MVD_MUNIC = QString::fromLatin1(munic);
    f.MVD_TELEFONE = QString::fromLatin1(telefone);
    return f;
}

class RegrasDadosEntregues : public ::testing::Test {
protected:
    static void SetUpTestSuite() { refs = Referencias::carregar(teste::pastaDadosEntregue()).release(); }
    static void TearDownTestSuite() {
        delete refs;
        refs = nullptr;
    }
    static Referencias* refs;
};
Referencias* RegrasDadosEntregues::refs = nullptr;

QList<int> codigos(const Itens& itens) {
    QList<int> c;
    for (const auto& i : itens)
        c.append(i.codigo);
    return c;
}

} // namespace

TEST(RegrasReceita, HabilitacaoPorFlags) {
    struct Caso {
        FlagsReceita f;
        int receita;
        Habilitacao esperada;
    };
    const Caso casos[] = {
        // everything asked for
        {flags("1", "5", "1", "1", "1", "1", "1"),
         1147,
         {E::Obrigatorio, E::Obrigatorio, E::Obrigatorio, E::Obrigatorio, E::Obrigatorio, 1, 0}},
        // nothing applies; "9" shows no period group
        {flags("9", "9", "9", "9", "9", "9", "9"),
         1937,
         {E::NaoAplicavel, E::NaoAplicavel, E::NaoAplicavel, E::NaoAplicavel, E::NaoAplicavel, 0, 0}},
        // a revenue without a single rule row: name and telephone off too, month and year shown
        {FlagsReceita{},
         1244,
         {E::NaoAplicavel, E::NaoAplicavel, E::NaoAplicavel, E::NaoAplicavel, E::NaoAplicavel, 1, 0}},
        // an unknown name/telephone flag leaves those fields as they were; "6" still asks for the document
        {flags("7", "6", "2", "2", "9", "2", "8"),
         1147,
         {E::Inalterado, E::Inalterado, E::Obrigatorio, E::NaoAplicavel, E::Obrigatorio, 2, 0}},
        // 1570 limits the originating document, and only 1570
        {flags("9", "5", "1", "1", "9", "9", "9"),
         1570,
         {E::NaoAplicavel, E::NaoAplicavel, E::Obrigatorio, E::NaoAplicavel, E::Obrigatorio, 1, 6}},
        {flags("9", "5", "1", "1", "9", "9", "9"),
         1571,
         {E::NaoAplicavel, E::NaoAplicavel, E::Obrigatorio, E::NaoAplicavel, E::Obrigatorio, 1, 0}},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(habilitacaoDaReceita(c.f, c.receita), c.esperada)
            << c.receita << " " << c.f.MVD_NOME.toStdString();
}

TEST(RegrasReceita, GrupoDoPeriodo) {
    const std::pair<const char*, int> casos[] = {{"", 1},  {"1", 1}, {"2", 2}, {"3", 3}, {"4", 4},
                                                 {"5", 5}, {"9", 0}, {"6", 0}, {"11", 0}};
    for (const auto& [ref, grupo] : casos)
        EXPECT_EQ(grupoPeriodo(QString::fromLatin1(ref)), grupo) << ref;
}

TEST(RegrasReceita, ListaDeClasses) {
    struct Caso {
        const char* flag;
        int receita;
        int tipo;
        bool vazia;
        EstadoCampo esperado;
    };
    const Caso casos[] = {
        {"1", 1147, 1, false, E::Obrigatorio},
        {"1", 1147, 2, false, E::Obrigatorio},
        {"2", 2135, 5, false, E::Obrigatorio},
        {"9", 1155, 1, false, E::NaoAplicavel},
        {"4", 1740, 1, false, E::NaoAplicavel},
        {"1", 1147, 1, true, E::NaoAplicavel},
        {"2", 2135, 5, true, E::NaoAplicavel},
        // 1457 and 1473: only Inscrição Estadual takes a class; the general rule must not undo that
        {"1", 1457, 1, false, E::Obrigatorio},
        {"1", 1457, 2, false, E::NaoAplicavel},
        {"1", 1457, 3, false, E::NaoAplicavel},
        {"1", 1473, 1, false, E::Obrigatorio},
        {"1", 1473, 2, false, E::NaoAplicavel},
        // 1465 and 1686: CNPJ and CPF take none
        {"1", 1465, 1, false, E::Obrigatorio},
        {"1", 1465, 2, false, E::NaoAplicavel},
        {"1", 1686, 3, false, E::NaoAplicavel},
        {"1", 1686, 4, false, E::Obrigatorio},
        // no identification type selected yet
        {"1", 1457, 0, false, E::NaoAplicavel},
        {"1", 1147, 0, false, E::Obrigatorio},
    };
    for (const Caso& c : casos) {
        FlagsReceita f;
        f.MVD_CLASSE_VECTO = QString::fromLatin1(c.flag);
        EXPECT_EQ(estadoClasse(f, c.receita, c.tipo, c.vazia), c.esperado)
            << c.flag << " " << c.receita << " tipo " << c.tipo << (c.vazia ? " vazia" : "");
    }
}

TEST(RegrasReceita, TiposPermitidos) {
    struct Caso {
        const char* permitidos;
        const char* tipo;
        bool oferecido;
    };
    const Caso casos[] = {{"", "4", true},     {"2,3", "2", true}, {"2,3", "3", true}, {"2,3", "1", false},
                          {"2,3", "5", false}, {"11", "1", true},  {"1", "2", false}};
    for (const Caso& c : casos)
        EXPECT_EQ(tipoPermitido(QString::fromLatin1(c.permitidos), QString::fromLatin1(c.tipo)), c.oferecido)
            << c.permitidos << " " << c.tipo;

    const std::pair<const char*, const char*> servicos[] = {
        {"2422", "5"},     {"2425", "5"},       {"2429", "5"},    {"2441", "3"},      {"2448", "3"},
        {"2421", "2,3"},   {"24211", "2,3"},    {"24212", "2,3"}, {"2431", "2,3"},    {"2450", "2,3,5"},
        {"2430", "2,3,5"}, {"1203", "1,2,3,4"}, {"", "1,2,3,4"},  {"3101", "1,2,3,4"}};
    for (const auto& [servico, tipos] : servicos)
        EXPECT_EQ(tiposPermitidosPorServico(QString::fromLatin1(servico)), QString::fromLatin1(tipos))
            << servico;
}

TEST(RegrasReceita, UltimoDiaDoMes) {
    const std::tuple<const char*, const char*, const char*> casos[] = {{"1", "2025", "31/01/2025"},
                                                                       {"2", "2024", "29/02/2024"},
                                                                       {"2", "2023", "28/02/2023"},
                                                                       {"2", "1900", "28/02/1900"},
                                                                       {"2", "2000", "29/02/2000"},
                                                                       {"4", "2025", "30/04/2025"},
                                                                       {"12", "2025", "31/12/2025"},
                                                                       {"13", "2025", ""},
                                                                       {"0", "2025", ""},
                                                                       {"x", "2025", ""},
                                                                       {"3", "", ""}};
    for (const auto& [mes, ano, ultimo] : casos)
        EXPECT_EQ(UltimoDiaDoMes(QString::fromLatin1(mes), QString::fromLatin1(ano)),
                  QString::fromLatin1(ultimo))
            << mes << "/" << ano;

    EXPECT_EQ(UltimoDiaMesCorrente(QDate(2024, 2, 10)), QDate(2024, 2, 29));
    EXPECT_EQ(UltimoDiaMesCorrente(QDate(2025, 12, 31)), QDate(2025, 12, 31));
    EXPECT_EQ(UltimoDiaMesCorrente(QDate(2025, 1, 31)), QDate(2025, 1, 31));
}

TEST(RegrasReceita, NomeReceita) {
    const std::pair<QString, QString> casos[] = {
        {QStringLiteral("1147 - ICMS - Operações Próprias"), QStringLiteral("ICMS - Operações Próprias")},
        {QStringLiteral("2135 - Taxa"), QStringLiteral("Taxa")},
        {QStringLiteral("Taxa - sem código"), QStringLiteral("Taxa - sem código")},
        {QStringLiteral("1234"), QStringLiteral("1234")},
        {QString(), QString()}};
    for (const auto& [texto, nome] : casos)
        EXPECT_EQ(NomeReceita(texto), nome) << texto.toStdString();
}

TEST(RegrasReceita, ConferenciaDaIdentificacao) {
    struct Caso {
        int tipo;
        const char* texto;
        bool aceita;
        const char* mostrado;
        int comprimento;
        const char* mensagem;
    };
    const Caso casos[] = {
        {3, "11144477735", true, "111.444.777-35", 14, ""},
        {3, "111.444.777-35", true, "111.444.777-35", 14, ""},
        {3, "11144477736", false, "11144477736", 11, "Número do CPF é inválido!"},
        {2, "11222333000181", true, "11.222.333/0001-81", 18, ""},
        {2, "11222333000182", false, "11222333000182", 14, "Número do CNPJ é inválido!"},
        {1, "250000001", true, "25.000.000-1", 12, ""},
        {1, "270000001", false, "270000001", 9, "Número da Inscrição estadual é inválida"},
        {4, "123456789012", true, "123456789012", 14, ""},
        // letters are left to the key filter: accepted unchanged, untested
        {3, "12A", true, "12A", 0, ""},
        {3, "", true, "", 0, ""},
        {9, "123", true, "123", 0, ""},
    };
    for (const Caso& c : casos) {
        const ResultadoIdentificacao r = confereIdentificacao(c.tipo, QString::fromLatin1(c.texto));
        EXPECT_EQ(r.aceita, c.aceita) << c.texto;
        EXPECT_EQ(r.texto, QString::fromLatin1(c.mostrado)) << c.texto;
        EXPECT_EQ(r.comprimentoMaximo, c.comprimento) << c.texto;
        EXPECT_EQ(r.mensagem, QString::fromUtf8(c.mensagem)) << c.texto;
    }
    const auto* renavam = tipoIdentificacao(5);
    ASSERT_NE(renavam, nullptr);
    EXPECT_EQ(renavam->comprimentoEdicao, 9);
    EXPECT_EQ(tipoIdentificacao(6), nullptr);
}

TEST_F(RegrasDadosEntregues, FlagsDaReceita) {
    const auto normal = flagsDaReceita(*refs, 1147);
    ASSERT_TRUE(normal.has_value());
    FlagsReceita esperadas = flags("9", "9", "1", "1", "1", "9", "9");
    esperadas.MVD_TIPO_DOCUMENTO = QStringLiteral("1");
    EXPECT_EQ(*normal, esperadas);
    // 1473's row allows "1,2,3"; the form offers Inscrição Estadual only
    const auto substituicao = flagsDaReceita(*refs, 1473);
    ASSERT_TRUE(substituicao.has_value());
    EXPECT_EQ(substituicao->MVD_TIPO_DOCUMENTO, QStringLiteral("1"));
    EXPECT_EQ(flagsDaReceita(*refs, 1457)->MVD_TIPO_DOCUMENTO, QStringLiteral("1,2,3"));
    // two rows, or none: no flags
    EXPECT_FALSE(flagsDaReceita(*refs, 1244).has_value());
    EXPECT_FALSE(flagsDaReceita(*refs, 4321).has_value());
}

TEST_F(RegrasDadosEntregues, ListasDoFormulario) {
    const Itens tipos = tiposDeReceita(*refs);
    ASSERT_EQ(tipos.size(), 8);
    EXPECT_EQ(tipos[0].texto, QStringLiteral("ICMS - Imposto sobre Circulação de Mercadorias e Serviços"));

    const Itens taxas = receitasDoTipo(*refs, 4);
    EXPECT_EQ(codigos(taxas), (QList<int>{2135, 2151, 2119, 2143, 2160}));
    EXPECT_EQ(taxas[0].texto, QStringLiteral("2135 - Taxa de Serviços do Departamento Estadual de Trânsito"));
    // fiscal-year revenues are offered
    EXPECT_TRUE(codigos(receitasDoTipo(*refs, 2)).contains(1821));

    // due-date classes in display order, each once
    const Itens classes = classesDaReceita(*refs, 1147, false);
    EXPECT_EQ(codigos(classes), (QList<int>{104, 105, 101, 102, 103, 112, 113}));
    EXPECT_EQ(classes[0].texto, QStringLiteral("Microempresa - vencimento no dia 05"));
    EXPECT_EQ(codigos(classesDaReceita(*refs, 1473, false)), QList<int>{109});
    // service classes belong to their revenue's group
    const Itens servicos = classesDaReceita(*refs, 2135, true);
    EXPECT_EQ(servicos.size(), 12);
    EXPECT_EQ(servicos[0].codigo, 480);
    EXPECT_TRUE(classesDaReceita(*refs, 2135, false).isEmpty());
    EXPECT_EQ(rotuloClasse("2"), QStringLiteral("Classe de Serviço"));
    EXPECT_EQ(rotuloClasse("1"), QStringLiteral("Classe de Vencimento"));
    EXPECT_EQ(codigoServico(*refs, 480, 2135), QStringLiteral("2424"));

    EXPECT_EQ(codigos(tiposDeIdentificacao(*refs, "2,3")), (QList<int>{2, 3}));
    EXPECT_EQ(codigos(tiposDeIdentificacao(*refs, "")), (QList<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(codigos(periodicidades(*refs)), (QList<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(periodos(*refs, periodicidadeMeses).size(), 12);
    // the quota list holds the quotas, not the quarters
    const Itens cotas = periodos(*refs, periodicidadeCotas);
    ASSERT_EQ(cotas.size(), 4);
    EXPECT_EQ(cotas[0].texto, QStringLiteral("1ª Cota"));
    EXPECT_EQ(cotas[3].texto, QStringLiteral("Cota única"));
    EXPECT_FALSE(municipios(*refs).isEmpty());
}
