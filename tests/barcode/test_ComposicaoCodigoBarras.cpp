#include "barcode/ZovDados.h"
#include "barcode/codigoDeBarra.h"
#include "data/Referencias.h"
#include "support/TestSupport.h"
#include "validation/CodigoBarras.h"

#include <gtest/gtest.h>

#include <set>

using namespace zove;

namespace {

struct Campos {
    const char* receita = "1228";
    const char* tipo = "3";
    const char* identificacao = "12345678909";
    const char* periodo = "032006";
    const char* documentoOrigem = "00123456";
    const char* classeFlag = "";
    const char* classeId = "480";
    const char* municipio = "123";
};

std::shared_ptr<ZovDados> dados(const Campos& c) {
    auto d = std::make_shared<ZovDados>();
    d->CodReceita(QString::fromLatin1(c.receita));
    d->tipoIdentificacao(QString::fromLatin1(c.tipo));
    d->NumIdentificacao(QString::fromLatin1(c.identificacao));
    d->PeriodoReferencia(QString::fromLatin1(c.periodo));
    d->NumDocumentoOrigem(QString::fromLatin1(c.documentoOrigem));
    d->CodClasseVencimento(QString::fromLatin1(c.classeFlag));
    d->IdClasseVencimento(QString::fromLatin1(c.classeId));
    d->CodMunicipio(QString::fromLatin1(c.municipio));
    return d;
}

class ComposicaoCodigoBarras : public ::testing::Test {
protected:
    void SetUp() override { refs.oMAB_VALIDA_DOCs = std::make_shared<tabulon::MAB_VALIDA_DOCs>(); }

    // One rule record of a revenue; only the revenue and the barcode layout matter here.
    void regra(const QString& receita, const QString& tipoCodigoBarraOff) {
        const QString v;
        refs.oMAB_VALIDA_DOCs->NewValida_Doc(receita, "1", "1", "1", "1", v, v, v, "9", "9", "1", "1", "1",
                                             "1", "1", "1", v, tipoCodigoBarraOff);
    }

    // As std::string so that a failure prints the digits.
    std::string livre(const Campos& c) {
        codigoDeBarra composicao(refs);
        composicao.Dados(dados(c));
        return composicao.GetCodigoDeBarra().toStdString();
    }

    Referencias refs;
};

// Free fields of the default fields above (type 3, identification 12345678909, period 032006,
// originating document 00123456, class 480, municipality 123) under each layout, revenue 1228:
//   model 1/5: "3" + Fmt(12345678909,13)=0012345678909 + 032006 + 1228 + "2"
//   model 2:   Fmt(00123456,11)=00000123456 + Fmt(12345678909,9)=345678909 + 1228 + "2"
//   model 3:   "3" + 0012345678909 + "0" + Fmt(123,5)=00123 + 1228 + "2"
//   model 4:   "3" + Fmt(345678909,7)=5678909 ("12" prefix dropped) + "0" + Fmt(480,5)=00480 + 032006
//              + 1228 + "2" (identification does not begin with 26)
//   model 6:   "3" + 0012345678909 + Fmt(00123456,6)=123456 + 1228 + "2"
//   model 7:   00123456 padded to 14 = 00000000123456 + 032006 + 1228 + "2"
const char* const modelo1 = "3001234567890903200612282";
const char* const modelo2 = "0000012345634567890912282";
const char* const modelo3 = "3001234567890900012312282";
const char* const modelo4 = "3567890900048003200612282";
const char* const modelo6 = "3001234567890912345612282";
const char* const modelo7 = "0000000012345603200612282";

} // namespace

TEST_F(ComposicaoCodigoBarras, UmRegistroDecidePeloTipoDeCodigoDeBarras) {
    const std::pair<const char*, const char*> casos[] = {
        {"1", modelo1},
        {"2", modelo2},
        {"3", modelo3},
        {"4", modelo4},
        {"5", modelo1},
        {"6", modelo6},
        {"7", modelo7},
        // anything else, compared exactly, is the first layout
        {"", modelo1},
        {"9", modelo1},
        {"0", modelo1},
        {"02", modelo1},
        {" 2", modelo1},
        {"7 ", modelo1},
    };
    for (const auto& [tipo, esperado] : casos) {
        ASSERT_EQ(QString::fromLatin1(esperado).size(), 25);
        refs.oMAB_VALIDA_DOCs->Reset();
        regra("1228", QString::fromLatin1(tipo));
        regra("9999", "2"); // another revenue's rule does not count
        EXPECT_EQ(livre({}), std::string(esperado)) << "tipo '" << tipo << "'";
    }
}

TEST_F(ComposicaoCodigoBarras, SemRegistroOuComVariosAsListasFixasDecidem) {
    // Same fields as above with the revenue in the table.
    const std::pair<const char*, const char*> casos[] = {
        {"5789", "0000012345634567890957892"}, // model 2
        {"1856", "0000012345634567890918562"}, // model 2
        {"1813", "3001234567890900012318132"}, // model 3
        {"1597", "3001234567890912345615972"}, // model 6
        {"7200", "3001234567890912345672002"}, // model 6
        {"1775", "3001234567890912345617752"}, // model 6
        {"1236", "0000000012345603200612362"}, // model 7
        {"6513", "0000000012345603200665132"}, // model 7
        {"5886", "0000000012345603200658862"}, // model 7
        {"1228", "3001234567890903200612282"}, // not listed: model 1
        // "05789" is not "5789": model 1, revenue cut to 5789
        {"05789", "3001234567890903200657892"},
    };
    for (int registros : {0, 2}) {
        for (const auto& [receita, esperado] : casos) {
            refs.oMAB_VALIDA_DOCs->Reset();
            for (int i = 0; i < registros; ++i)
                regra(QString::fromLatin1(receita), "3"); // with two records their value is not read
            Campos c;
            c.receita = receita;
            EXPECT_EQ(livre(c), std::string(esperado)) << receita << " with " << registros << " records";
        }
    }
}

TEST_F(ComposicaoCodigoBarras, SemTabelaDeRegrasCarregadaAsListasFixasDecidem) {
    refs.oMAB_VALIDA_DOCs.reset();
    Campos c;
    c.receita = "5789";
    EXPECT_EQ(livre(c), "0000012345634567890957892"); // model 2
}

TEST_F(ComposicaoCodigoBarras, RegistroUnicoSemTipoUsaModelo1MesmoComReceitaListada) {
    regra("5789", "");
    Campos c;
    c.receita = "5789";
    // model 1: "3" + 0012345678909 + 032006 + 5789 + "2"
    EXPECT_EQ(livre(c), "3001234567890903200657892");
}

TEST_F(ComposicaoCodigoBarras, ClassesDeVencimentoComInscricaoEstadual) {
    // The class flag decides before any rule record: this revenue's single record says model 7.
    regra("1503", "7");
    struct Caso {
        const char* identificacao;
        const char* esperado;
    };
    const Caso casos[] = {
        // "1" + Fmt(1234567,7) + "0" + Fmt(480,5)=00480 + 012006 + 1503 + "3" (prefix 26)
        {"261234567", "1123456700048001200615033"},
        // same registration with prefix 25: final digit "2"
        {"251234567", "1123456700048001200615032"},
        // short registration: 12345 padded to 0012345
        {"2612345", "1001234500048001200615033"},
    };
    for (const Caso& k : casos) {
        Campos c;
        c.receita = "1503";
        c.tipo = "1";
        c.identificacao = k.identificacao;
        c.periodo = "012006";
        c.classeFlag = "1";
        EXPECT_EQ(livre(c), std::string(k.esperado)) << k.identificacao;
    }
}

TEST_F(ComposicaoCodigoBarras, ClassesDeVencimentoComOutraIdentificacaoUsaModelo5) {
    regra("1503", "7");
    Campos c;
    c.receita = "1503";
    c.tipo = "2";
    c.identificacao = "11222333000181";
    c.periodo = "2006";
    c.classeFlag = "1";
    // "2" + CNPJ without check digits 112223330001 padded to 13 = 0112223330001 + Fmt(2006,6)=002006
    // + 1503 + "2"
    EXPECT_EQ(livre(c), "2011222333000100200615032");
}

TEST_F(ComposicaoCodigoBarras, ClassesDeServico) {
    // Records do not matter once the flag is "2".
    regra("2135", "7");
    regra("2143", "1");
    struct Caso {
        const char* receita;
        const char* classe;
        const char* tipo;
        const char* identificacao;
        const char* periodo;
        const char* esperado;
    };
    const Caso casos[] = {
        // class 480 of revenue 2135, model 8: "00000000" + "9" + Fmt(072006,2)=06
        //   + Fmt(12345678909,9)=345678909 + 2135 + "2"
        {"2135", "480", "3", "12345678909", "072006", "0000000090634567890921352"},
        // model 8 takes the identification as typed, CNPJ included: last 9 of 11222333000181
        {"2135", "480", "2", "11222333000181", "072006", "0000000090633300018121352"},
        // other class of 2135: service layout, "3" + Fmt(12345678909,12)=012345678909 + 123
        //   + period 012006 -> year 06 month 01 = 0601 + 2135 + "3"
        {"2135", "123", "3", "12345678909", "012006", "3012345678909123060121353"},
        // class 480 of another revenue, yearly period 2006 -> 0600
        {"2143", "480", "3", "12345678909", "2006", "3012345678909480060021433"},
        // no period: 000000 -> 0000
        {"2143", "123", "3", "12345678909", "000000", "3012345678909123000021433"},
        // CNPJ loses its check digits, blanks around it too: 112223330001; 122005 -> 0512
        {"2143", "123", "2", " 11222333000181 ", "122005", "2112223330001123051221433"},
        // an empty period is not a period: its block is empty and the field short
        {"2143", "123", "3", "12345678909", "", "301234567890912321433"},
    };
    for (const Caso& k : casos) {
        Campos c;
        c.receita = k.receita;
        c.classeId = k.classe;
        c.tipo = k.tipo;
        c.identificacao = k.identificacao;
        c.periodo = k.periodo;
        c.classeFlag = "2";
        EXPECT_EQ(livre(c), std::string(k.esperado)) << k.receita << "/" << k.classe << "/" << k.periodo;
    }
}

TEST_F(ComposicaoCodigoBarras, FlagDeClasseComparadaExatamente) {
    // " 1", "01" and "4" are not class flags: the revenue's single record (model 2) decides.
    regra("1228", "2");
    for (const char* flag : {" 1", "01", "2 ", "4", "9"}) {
        Campos c;
        c.classeFlag = flag;
        EXPECT_EQ(livre(c), std::string(modelo2)) << "flag '" << flag << "'";
    }
}

TEST_F(ComposicaoCodigoBarras, CnpjPerdeOsDigitosVerificadoresOndeOModeloAjusta) {
    struct Caso {
        const char* receita;
        const char* tipoOff; // single record value, or nullptr for none
        const char* esperado;
    };
    const Caso casos[] = {
        // model 1: "2" + 112223330001 padded to 13 + 032006 + 1228 + "2"
        {"1228", nullptr, "2011222333000103200612282"},
        // model 3: "2" + 0112223330001 + "0" + 00123 + 1813 + "2"
        {"1813", nullptr, "2011222333000100012318132"},
        // model 6: "2" + 0112223330001 + 123456 + 1228 + "2"
        {"1228", "6", "2011222333000112345612282"},
    };
    for (const Caso& k : casos) {
        refs.oMAB_VALIDA_DOCs->Reset();
        if (k.tipoOff)
            regra(QString::fromLatin1(k.receita), QString::fromLatin1(k.tipoOff));
        for (const char* cnpj : {"11222333000181", " 11222333000181 "}) {
            Campos c;
            c.receita = k.receita;
            c.tipo = "2";
            c.identificacao = cnpj;
            EXPECT_EQ(livre(c), std::string(k.esperado)) << k.receita << " '" << cnpj << "'";
        }
    }
}

TEST_F(ComposicaoCodigoBarras, Modelo2UsaAIdentificacaoComoDigitada) {
    regra("1228", "2");
    struct Caso {
        const char* identificacao;
        const char* esperado;
    };
    const Caso casos[] = {
        // Fmt(00123456,11) + last 9 of 11222333000181 = 333000181 + 1228 + "2"
        {"11222333000181", "0000012345633300018112282"},
        // not trimmed: the last 9 characters are "33000181 ", the number 33000181 padded to 9
        {" 11222333000181 ", "0000012345603300018112282"},
    };
    for (const Caso& k : casos) {
        Campos c;
        c.tipo = "2";
        c.identificacao = k.identificacao;
        EXPECT_EQ(livre(c), std::string(k.esperado)) << "'" << k.identificacao << "'";
    }
}

TEST_F(ComposicaoCodigoBarras, CamposForaDaLarguraDaoCampoLivreDeOutroTamanho) {
    // model 7 does not cut a long originating document: 15 digits + 032006 + 1228 + "2"
    regra("1228", "7");
    Campos longo;
    longo.documentoOrigem = "123456789012345";
    EXPECT_EQ(livre(longo), "12345678901234503200612282");

    // model 3 with no municipality: the municipality block is empty
    refs.oMAB_VALIDA_DOCs->Reset();
    regra("1228", "3");
    Campos semMunicipio;
    semMunicipio.municipio = "";
    EXPECT_EQ(livre(semMunicipio), "30012345678909012282");
}

TEST_F(ComposicaoCodigoBarras, TipoSemModeloEhErroDeComposicaoRelatado) {
    regra("1228", "8");
    codigoDeBarra composicao(refs);
    composicao.Dados(dados({}));
    EXPECT_EQ(composicao.GetCodigoDeBarra().toStdString(), "");

    QString codigo = "lixo";
    const QString linha = montaNumeroCodigoBarras(15037, composicao, codigo);
    EXPECT_TRUE(codigo.isEmpty());
    EXPECT_TRUE(linha.isEmpty());
    EXPECT_EQ(erroTamanhoCodigoBarras(codigo),
              QString::fromUtf8("Erro na montagem do código de barras!\ntamanho encontrado: 0"));
}

TEST_F(ComposicaoCodigoBarras, DadosCompartilhaORegistroDoChamador) {
    codigoDeBarra composicao(refs);
    ASSERT_NE(composicao.Dados(), nullptr);
    auto d = dados({});
    composicao.Dados(d);
    EXPECT_EQ(composicao.Dados(), d);
    d->CodReceita("1813"); // changed after assignment: the composer sees it (model 3)
    EXPECT_EQ(composicao.GetCodigoDeBarra().toStdString(), "3001234567890900012318132");
    EXPECT_EQ(composicao.Dados(), d);

    composicao.Dados(nullptr);
    ASSERT_NE(composicao.Dados(), nullptr);
    EXPECT_TRUE(composicao.Dados()->CodReceita().isEmpty());
}

TEST_F(ComposicaoCodigoBarras, NumeroCompletoDoDocumento) {
    // 150,37 with the model 1 free field; digits worked out in test_CodigoBarrasNumero.cpp.
    codigoDeBarra composicao(refs);
    composicao.Dados(dados({}));
    QString codigo;
    const QString linha = montaNumeroCodigoBarras(15037, composicao, codigo);
    EXPECT_EQ(codigo.toStdString(), "85670000001503700243001234567890903200612282");
    EXPECT_EQ(linha.toStdString(), "85670000001-6 50370024300-2 12345678909-8 03200612282-7 ");

    // A free field of the wrong length goes through and the length check reports it:
    // 3 + 1 + 11 + 4 + 20 characters.
    refs.oMAB_VALIDA_DOCs->Reset();
    regra("1228", "3");
    Campos semMunicipio;
    semMunicipio.municipio = "";
    composicao.Dados(dados(semMunicipio));
    montaNumeroCodigoBarras(15037, composicao, codigo);
    EXPECT_EQ(erroTamanhoCodigoBarras(codigo),
              QString::fromUtf8("Erro na montagem do código de barras!\ntamanho encontrado: 39"));
}

// Every revenue of the delivered rule table, with every field filled to its width, gets a whole free
// field; only 7650 (a withdrawn revenue whose rule names no layout) is refused, and it is refused
// with an empty field rather than a crash.
TEST(ComposicaoCodigoBarrasDadosEntregues, TodaReceitaTemCampoLivreCompleto) {
    teste::PastaDados pasta;
    const auto refs = Referencias::carregar(pasta.caminho());
    std::set<QString> receitas;
    for (const auto& r : *refs->oMAB_VALIDA_DOCs)
        receitas.insert(r->MVD_MCR_COD_RCTA);
    ASSERT_GT(receitas.size(), 10u);
    for (const QString& receita : receitas) {
        const auto regras = refs->oMAB_VALIDA_DOCs->Query_MVD_MCR_COD_RCTA(receita);
        for (const char* tipo : {"1", "2", "3"}) {
            auto d = std::make_shared<ZovDados>();
            d->CodReceita(receita);
            d->tipoIdentificacao(QString::fromLatin1(tipo));
            d->NumIdentificacao(QString::fromLatin1(tipo[0] == '2' ? "11222333000181" : "251234567"));
            d->PeriodoReferencia("032006");
            d->NumDocumentoOrigem("00123456");
            d->CodClasseVencimento(regras->Item(1)->MVD_CLASSE_VECTO);
            d->IdClasseVencimento("480");
            d->CodMunicipio("123");
            codigoDeBarra composicao(*refs);
            composicao.Dados(d);
            const QString livre = composicao.GetCodigoDeBarra();
            if (receita == QLatin1String("7650"))
                EXPECT_TRUE(livre.isEmpty()) << livre.toStdString();
            else
                EXPECT_EQ(livre.size(), 25)
                    << receita.toStdString() << " type " << tipo << ": " << livre.toStdString();
        }
    }
}
