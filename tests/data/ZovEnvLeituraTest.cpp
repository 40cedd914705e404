// Reads through the data facade: what each search keeps, and that the whole-table reads hand back the
// loaded collection itself.
#include "data/FachadaFixture.h"

using namespace teste;

namespace {

class FachadaLeitura : public FachadaTeste {};

TEST_F(FachadaLeitura, TabelasInteirasSaoAsCarregadas) {
    refs.oPARAMETROSs = std::make_shared<tabulon::PARAMETROSs>();
    refs.oPARAMETROSs->NewParametros("1", "31/12/2030", "1.0", "ZOVE", "100");

    EXPECT_EQ(fachada().ReceitaSelectAll(), refs.oARREC_MAB_RECEITAs);
    EXPECT_EQ(fachada().parametros(), refs.oPARAMETROSs);
}

TEST_F(FachadaLeitura, ZOVSelectOneGuardaONumeroExatoComReceitaConhecida) {
    escreveZOV({
        linhaZOV("1"),
        linhaZOV("2", "200"),
        linhaZOV("12"),
        linhaZOV("02"),
        linhaZOV("2", "999"), // revenue not in the table
        linhaZOV("2", "100"),
    });
    carregaTabelas();

    const auto achados = fachada().ZOVSelectOne("2");
    ASSERT_TRUE(achados);
    ASSERT_EQ(achados->Count(), 2);
    EXPECT_EQ(achados->Item(1)->COD_RECEITA, "200");
    EXPECT_EQ(achados->Item(1)->MCR_MTR_TIP_RECEITA, "2");
    // The first revenue with the code decides the type.
    EXPECT_EQ(achados->Item(2)->COD_RECEITA, "100");
    EXPECT_EQ(achados->Item(2)->MCR_MTR_TIP_RECEITA, "1");
    // The records are the loaded ones, not copies.
    EXPECT_EQ(achados->Item(1), refs.oZOVs->Item(2));

    const auto nenhum = fachada().ZOVSelectOne("3");
    ASSERT_TRUE(nenhum);
    EXPECT_EQ(nenhum->Count(), 0);
}

TEST_F(FachadaLeitura, ContribuinteSelectOneComparaTipoEIdentificacaoExatos) {
    escreveCONTRIBUINTE({
        "3|11122233344|JOSÉ|61|5551234",
        "2|11122233344|EMPRESA|61|5550000",
        "3|111222333445|OUTRO|61|5559999",
        "3|1112223334|MAIS UM|61|5558888",
        "3|11122233344|JOSÉ DE NOVO|62|5557777",
    });
    carregaTabelas();

    const auto achados = fachada().ContribuinteSelectOne("3", "11122233344");
    ASSERT_TRUE(achados);
    ASSERT_EQ(achados->Count(), 2);
    EXPECT_EQ(achados->Item(1)->RAZAO_SOCIAL, "JOSÉ");
    EXPECT_EQ(achados->Item(2)->RAZAO_SOCIAL, "JOSÉ DE NOVO");

    const auto outroTipo = fachada().ContribuinteSelectOne("1", "11122233344");
    ASSERT_TRUE(outroTipo);
    EXPECT_EQ(outroTipo->Count(), 0);
}

TEST_F(FachadaLeitura, ZOVQueryJuntaReceitaEContribuinte) {
    escreveCONTRIBUINTE({"3|111|MARIA|61|5551234", "2|222|LOJA|61|5550000"});
    escreveZOV({
        linhaZOV("1", "100", "111"),
        linhaZOV("2", "999", "111"), // unknown revenue
        linhaZOV("3", "200", "333"), // unknown taxpayer
        linhaZOV("4", "200", "222"),
    });
    carregaTabelas();

    const auto achados = fachada().ZOVQuery();
    ASSERT_TRUE(achados);
    ASSERT_EQ(achados->Count(), 2);
    EXPECT_EQ(achados->Item(1)->NUM_DOCUMENTO, "1");
    EXPECT_EQ(achados->Item(1)->MCR_NOME_RCTA, "ICMS");
    EXPECT_EQ(achados->Item(1)->RAZAO_SOCIAL, "MARIA");
    EXPECT_EQ(achados->Item(2)->NUM_DOCUMENTO, "4");
    EXPECT_EQ(achados->Item(2)->MCR_NOME_RCTA, "TAXA DE SERVIÇO");
    EXPECT_EQ(achados->Item(2)->RAZAO_SOCIAL, "LOJA");
}

TEST_F(FachadaLeitura, BuscasDeReferenciaFiltramPeloArgumento) {
    refs.oMAB_TIPO_IDENTIFICACAOs = std::make_shared<tabulon::MAB_TIPO_IDENTIFICACAOs>();
    refs.oMAB_TIPO_IDENTIFICACAOs->NewIdentificacao("2", "CNPJ", "", "", "", "1");
    refs.oMAB_TIPO_IDENTIFICACAOs->NewIdentificacao("3", "CPF", "", "", "", "1");
    refs.oMAB_TIPO_IDENTIFICACAOs->NewIdentificacao("5", "RENAVAM", "", "", "", "0");

    refs.oPERIODOSs = std::make_shared<tabulon::PERIODOSs>();
    refs.oPERIODOSs->NewPeriodos("1", "01", "Janeiro");
    refs.oPERIODOSs->NewPeriodos("2", "01", "1º Trimestre");
    refs.oPERIODOSs->NewPeriodos("1", "02", "Fevereiro");

    refs.oMAB_VALIDA_DOCs = std::make_shared<tabulon::MAB_VALIDA_DOCs>();
    const QString v;
    refs.oMAB_VALIDA_DOCs->NewValida_Doc("100", "1", v, "1", v, v, v, v, v, v, v, "1", v, v, v, v, v, v);
    refs.oMAB_VALIDA_DOCs->NewValida_Doc("200", "9", v, "9", v, v, v, v, v, v, v, "0", v, v, v, v, v, v);

    const auto ativos = fachada().Tipo_DocumentoSelectAll("1");
    ASSERT_TRUE(ativos);
    ASSERT_EQ(ativos->Count(), 2);
    EXPECT_EQ(ativos->Item(1)->MTI_DESCRIPTION, "CNPJ");
    EXPECT_EQ(ativos->Item(2)->MTI_DESCRIPTION, "CPF");

    const auto meses = fachada().Periodos("1");
    ASSERT_TRUE(meses);
    ASSERT_EQ(meses->Count(), 2);
    EXPECT_EQ(meses->Item(2)->NOM_PERIODO, "Fevereiro");

    const auto regras = fachada().ValidacaoReceitaSelectOne("200");
    ASSERT_TRUE(regras);
    ASSERT_EQ(regras->Count(), 1);
    EXPECT_EQ(regras->Item(1)->MVD_TIPO_DOCUMENTO, "9");
}

TEST_F(FachadaLeitura, SemTabelaCarregadaAsBuscasNaoDevolvemColecao) {
    zove::Referencias vazias;
    zove::ZovEnv_Simulator& f = vazias.oZovEnv();
    EXPECT_FALSE(f.ZOVSelectOne("1"));
    EXPECT_FALSE(f.ContribuinteSelectOne("3", "1"));
    EXPECT_FALSE(f.ZOVQuery());
    EXPECT_FALSE(f.ValidacaoReceitaSelectOne("100"));
    EXPECT_FALSE(f.Tipo_DocumentoSelectAll("1"));
    EXPECT_FALSE(f.Periodos("1"));
}

} // namespace
