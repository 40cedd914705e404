#include "tabulon/Colecoes.h"
#include "tabulon/ErroExecucao.h"

#include <gtest/gtest.h>

using namespace tabulon;

namespace {

template <class F> int erroDe(F&& f) {
    try {
        f();
    } catch (const ErroExecucao& e) {
        return e.Numero();
    }
    return 0;
}

TAB_MUNICs municipios() {
    TAB_MUNICs m;
    m.Inicializa_Array_Campos(QStringLiteral("TMU_COD_MUN|TMU_NOM_MUN|TMU_UF_MUN|TMU_NUM_CEP"));
    m.NewMunicipio("001", "Alfa", "OL", "11000-000");
    m.NewMunicipio("002", "Beta", "OL", "12000-000");
    return m;
}

// The codes of the records of a collection, in order.
template <class Col, class Campo> QStringList codigos(const std::shared_ptr<Col>& c, Campo campo) {
    QStringList r;
    if (!c)
        return {QStringLiteral("<null>")};
    for (const auto& reg : *c)
        r.append((*reg).*campo);
    return r;
}

} // namespace

TEST(Colecao, PositionsOneToCountZeroIsAPlaceholderOthersFailWithError9) {
    const TAB_MUNICs m = municipios();
    EXPECT_EQ(m.Count(), 2);
    EXPECT_EQ(m.Item(1)->TMU_COD_MUN, QStringLiteral("001"));
    EXPECT_EQ(m.Item(2)->TMU_NOM_MUN, QStringLiteral("Beta"));
    const auto zero = m.Item(0);
    ASSERT_TRUE(zero);
    EXPECT_TRUE(zero->TMU_COD_MUN.isEmpty() && zero->TMU_NOM_MUN.isEmpty());
    EXPECT_EQ(m.Item(0), zero) << "the placeholder is kept";
    EXPECT_EQ(m.Count(), 2);
    for (qsizetype i : {qsizetype(-1), qsizetype(3), qsizetype(70000)})
        EXPECT_EQ(erroDe([&] { m.Item(i); }), 9) << i;
}

TEST(Colecao, FactoriesSetTheFieldsInArgumentOrder) {
    TAB_MUNICs m;
    m.NewMunicipio("a", "b", "c", "d");
    EXPECT_EQ(QStringList({m.Item(1)->TMU_COD_MUN, m.Item(1)->TMU_NOM_MUN, m.Item(1)->TMU_UF_MUN,
                           m.Item(1)->TMU_NUM_CEP}),
              QStringList({"a", "b", "c", "d"}));
    MAB_CLASSE_VENCIMENTOs v;
    v.NewClasseVencimento("1", "2", "3", "4", "5", "6", "7", "8");
    const auto& cv = *v.Item(1);
    EXPECT_EQ(
        QStringList({cv.MCV_ID, cv.MCV_DESCRICAO, cv.MCV_TIPO_CLASSE, cv.MCV_COD_SERVICO, cv.MCV_FEC_FIN_VIG,
                     cv.MCV_TIPO_DOCUMENTO, cv.MCV_TGE_VTIP_GRUPO, cv.MCV_ORDEM_EXIBICAO}),
        QStringList({"1", "2", "3", "4", "5", "6", "7", "8"}));
    ARREC_MAB_RECEITAs a;
    a.NewReceita("1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17",
                 "18");
    const auto& r = *a.Item(1);
    EXPECT_EQ(
        QStringList({r.MCR_COD_RCTA, r.MCR_NOME_RCTA, r.MCR_CLAS_ORCAM, r.MCR_ORGANO_MUN, r.MCR_COL_BALANC,
                     r.MCR_COD_MULT, r.MCR_COD_INTE, r.MCR_COD_CORR_MONET, r.MCR_FEC_INIC_VAL,
                     r.MCR_FEC_FIN_VAL, r.MCR_INDX_FINANC, r.MCR_PERID_RCTA, r.MCR_INDX_RCTA, r.MCR_STUS_RCTA,
                     r.MCR_COD_USR, r.MCR_COD_NAC, r.MCR_GRUPO_TRIB, r.MCR_MTR_TIP_RECEITA}),
        QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16",
                     "17", "18"}));
    MAB_TIPO_IDENTIFICACAOs ti;
    ti.NewIdentificacao("1", "2", "3", "4", "5", "6");
    const auto& i = *ti.Item(1);
    EXPECT_EQ(QStringList({i.MTI_ID, i.MTI_DESCRIPTION, i.MTI_DEFAULT, i.MTI_ASSEMBLY_NAME_BUILDER,
                           i.MTI_FULLNAME_CLASS, i.MTI_STATUS}),
              QStringList({"1", "2", "3", "4", "5", "6"}));
    MAB_TIPO_PERIODICIDADEs tp;
    tp.NewPeriodicidade("1", "2", "3", "4", "5", "6", "7");
    const auto& p = *tp.Item(1);
    EXPECT_EQ(QStringList({p.MTP_ID, p.MTP_DESCRIPTION, p.MTP_DEFAULT, p.MTP_ASSEMBLY_NAME_BUILDER,
                           p.MTP_FULLNAME_CLASS, p.MTP_STATUS, p.MTP_TGE_TIP_TAB}),
              QStringList({"1", "2", "3", "4", "5", "6", "7"}));
    MAB_TIPO_RECEITAs tr;
    tr.NewReceita("1", "2");
    EXPECT_EQ(QStringList({tr.Item(1)->MTR_TIP_RECEITA, tr.Item(1)->MTR_DESCRICAO}), QStringList({"1", "2"}));
    MAB_VALIDA_DOCs vd;
    vd.NewValida_Doc("1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16",
                     "17", "18");
    const auto& d = *vd.Item(1);
    EXPECT_EQ(QStringList({d.MVD_MCR_COD_RCTA, d.MVD_TIPO_DOCUMENTO, d.MVD_DOCUMENTO, d.MVD_REFERENCIA,
                           d.MVD_VENCIMENTO, d.MVD_MFO_ID, d.MVD_MCR_TIP_VALIDA, d.MVD_PERM_MODIF,
                           d.MVD_CLASSE_VECTO, d.MVD_MUNIC, d.MVD_PERM_EMISS_ON_LINE,
                           d.MVD_PERM_EMISS_OFF_LINE, d.MVD_PERM_EMISS_PF, d.MVD_NOME, d.MVD_TELEFONE,
                           d.MVD_PERM_EMISS_TESOURO, d.MVD_TIP_CODIGO_BARRA_ON, d.MVD_TIP_CODIGO_BARRA_OFF}),
              QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15",
                           "16", "17", "18"}));
    TAB_CERT_ANTIGAs ca;
    ca.NewCert_Antiga("1");
    EXPECT_EQ(ca.Item(1)->TCN_ID, QStringLiteral("1"));
    PERIODOSs pe;
    pe.NewPeriodos("1", "2", "3");
    EXPECT_EQ(QStringList({pe.Item(1)->TIPO_PERIODO, pe.Item(1)->COD_PERIODO, pe.Item(1)->NOM_PERIODO}),
              QStringList({"1", "2", "3"}));
    PARAMETROSs pa;
    pa.NewParametros("1", "2", "3", "4", "5");
    const auto& q = *pa.Item(1);
    EXPECT_EQ(QStringList({q.ID, q.DATA_VALIDADE, q.VERSAO, q.CAPTION, q.RECEITA_PADRAO}),
              QStringList({"1", "2", "3", "4", "5"}));
    MAB_RECEITA_CLASSEs rc;
    rc.NewReceitaClasse("1", "2", "3", "4");
    const auto& c = *rc.Item(1);
    EXPECT_EQ(
        QStringList({c.MRC_MCV_ID, c.MRC_MCR_COD_RCTA, c.MRC_DT_VIGENCIA_INICIO, c.MRC_DT_VIGENCIA_FIM}),
        QStringList({"1", "2", "3", "4"}));
    mab_tipo_documentos td;
    td.NewTipoDocumento("1", "2", "3");
    EXPECT_EQ(QStringList({td.Item(1)->MTDO_ID, td.Item(1)->MTDO_DESCRICAO, td.Item(1)->MTDO_OBSERVACOES}),
              QStringList({"1", "2", "3"}));
}

TEST(Colecao, HeaderNamesKeepTheirBlanksExceptTheLast) {
    TAB_MUNICs m;
    m.Inicializa_Array_Campos(QStringLiteral("A|B | C "));
    EXPECT_EQ(m.Campos_Count(), 2);
    EXPECT_EQ(m.Campo(0), QStringLiteral("A"));
    EXPECT_EQ(m.Campo(1), QStringLiteral("B "));
    EXPECT_EQ(m.Campo(2), QStringLiteral("C"));
    EXPECT_EQ(erroDe([&] { m.Campo(3); }), 9);
    EXPECT_EQ(erroDe([&] { m.Campo(-1); }), 9);

    // Only the space is a blank: a tab at the end of the last name stays.
    TAB_MUNICs t;
    t.Inicializa_Array_Campos(QStringLiteral("A|B\t"));
    EXPECT_EQ(t.Campo(1), QStringLiteral("B\t"));

    TAB_MUNICs vazio;
    vazio.Inicializa_Array_Campos(QString());
    EXPECT_EQ(vazio.Campos_Count(), 0);
    EXPECT_EQ(vazio.Campo(0), QString());
}

TEST(Colecao, CampoIndiceIgnoresCaseTakesTheLastMatchAndFallsBackToZero) {
    TAB_MUNICs m;
    m.Inicializa_Array_Campos(QStringLiteral("TMU_COD_MUN|TMU_NOM_MUN|B |tmu_nom_mun|C "));
    const struct {
        const char* nome;
        qsizetype posicao;
    } casos[] = {
        {"TMU_COD_MUN", 0}, {"tmu_cod_mun", 0}, {"Tmu_Nom_Mun", 3}, {"B ", 2},  {"b ", 2},
        {"B", 0},           {"c", 4},           {"C ", 0},          {"XYZ", 0}, {"", 0},
    };
    for (const auto& c : casos)
        EXPECT_EQ(m.Campo_Indice(QString::fromLatin1(c.nome)), c.posicao) << '"' << c.nome << '"';
}

TEST(Colecao, ResetRemovesRecordsAndNames) {
    TAB_MUNICs m = municipios();
    m.Reset();
    EXPECT_EQ(m.Count(), 0);
    EXPECT_EQ(m.Campos_Count(), 0);
    EXPECT_EQ(m.Campo(0), QString());
    EXPECT_EQ(erroDe([&] { m.Item(1); }), 9);
}

TEST(Colecao, AddAndAddRangeShareTheRecordObjects) {
    const TAB_MUNICs m = municipios();
    TAB_MUNICs outra;
    outra.Add(m.Item(2));
    outra.AddRange(m);
    ASSERT_EQ(outra.Count(), 3);
    EXPECT_EQ(outra.Item(1), m.Item(2));
    EXPECT_EQ(outra.Item(2), m.Item(1));
    EXPECT_EQ(outra.Item(3), m.Item(2));
    outra.Item(2)->TMU_NOM_MUN = QStringLiteral("Gama");
    EXPECT_EQ(m.Item(1)->TMU_NOM_MUN, QStringLiteral("Gama"));

    outra.AddRange(outra); // appending a collection to itself doubles it
    EXPECT_EQ(outra.Count(), 6);
    EXPECT_EQ(outra.Item(4), m.Item(2));
}

TEST(Colecao, QueryReturnsANewCollectionOfTheSameRecordsWithoutHeader) {
    const TAB_MUNICs m = municipios();
    const auto r = m.Query_TMU_COD_MUN(QStringLiteral("002"));
    ASSERT_TRUE(r);
    ASSERT_EQ(r->Count(), 1);
    EXPECT_EQ(r->Item(1), m.Item(2));
    EXPECT_EQ(r->Campos_Count(), 0);
    EXPECT_EQ(r->Campo(0), QString());
    EXPECT_EQ(m.Count(), 2);

    const auto nada = m.Query_TMU_COD_MUN(QStringLiteral("2"));
    ASSERT_TRUE(nada) << "no match is an empty collection, not a null one";
    EXPECT_EQ(nada->Count(), 0);
}

TEST(Colecao, EqualityQueriesAreExactAndCaseSensitive) {
    MAB_CLASSE_VENCIMENTOs v;
    v.NewClasseVencimento("1", "", "", "S1", "", "", "G", "");
    v.NewClasseVencimento("1", "", "", "S1", "", "", "H", "");
    v.NewClasseVencimento("01", "", "", "s1", "", "", "G", "");
    EXPECT_EQ(v.Query_MCV_ID("1", "G")->Count(), 1);
    EXPECT_EQ(v.Query_MCV_ID("1", "G")->Item(1), v.Item(1));
    EXPECT_EQ(v.Query_MCV_ID("01", "G")->Item(1), v.Item(3));
    EXPECT_EQ(v.Query_MCV_ID("1", "g")->Count(), 0);
    EXPECT_EQ(v.Query_MCV_COD_SERVICO("S1", "H")->Item(1), v.Item(2));
    EXPECT_EQ(v.Query_MCV_COD_SERVICO("S1", "G")->Count(), 1);

    ARREC_MAB_RECEITAs a;
    a.NewReceita("100", "", "", "", "", "", "", "", "", "", "", "", "", "1", "", "", "", "1");
    a.NewReceita("1000", "", "", "", "", "", "", "", "", "", "", "", "", "1", "", "", "", "1");
    EXPECT_EQ(codigos(a.Query_MCR_COD_RCTA("100"), &ARREC_MAB_RECEITA::MCR_COD_RCTA), QStringList({"100"}));
    EXPECT_EQ(a.Query_MCR_COD_RCTA("100 ")->Count(), 0);
    EXPECT_EQ(a.Query_MCR_COD_RCTA("999")->Count(), 0);

    MAB_TIPO_IDENTIFICACAOs ti;
    ti.NewIdentificacao("1", "IE", "", "", "", "A");
    ti.NewIdentificacao("2", "CNPJ", "", "", "", "a");
    EXPECT_EQ(codigos(ti.Query_MTI_STATUS("A"), &MAB_TIPO_IDENTIFICACAO::MTI_ID), QStringList({"1"}));

    MAB_TIPO_RECEITAs tr;
    tr.NewReceita("1", "ICMS");
    tr.NewReceita("10", "Taxas");
    EXPECT_EQ(codigos(tr.Query_MTR_TIP_RECEITA("1"), &MAB_TIPO_RECEITA::MTR_DESCRICAO),
              QStringList({"ICMS"}));

    MAB_VALIDA_DOCs vd;
    vd.NewValida_Doc("100", "", "", "", "", "", "", "", "5", "", "", "1", "", "", "", "", "", "");
    vd.NewValida_Doc("200", "", "", "", "", "", "", "", "5", "", "", "0", "", "", "", "", "", "");
    vd.NewValida_Doc("100", "", "", "", "", "", "", "", "6", "", "", "0", "", "", "", "", "", "");
    EXPECT_EQ(codigos(vd.Query_MVD_MCR_COD_RCTA("100"), &MAB_VALIDA_DOC::MVD_CLASSE_VECTO),
              QStringList({"5", "6"}));
    EXPECT_EQ(codigos(vd.Query_MVD_CLASSE_VECTO("5"), &MAB_VALIDA_DOC::MVD_MCR_COD_RCTA),
              QStringList({"100", "200"}));

    TAB_CERT_ANTIGAs ca;
    ca.NewCert_Antiga("X1");
    EXPECT_EQ(ca.Query_TCN_ID("X1")->Count(), 1);
    EXPECT_EQ(ca.Query_TCN_ID("x1")->Count(), 0);

    PERIODOSs pe;
    pe.NewPeriodos("1", "01", "Janeiro");
    pe.NewPeriodos("2", "01", "1º trimestre");
    pe.NewPeriodos("1", "02", "Fevereiro");
    EXPECT_EQ(codigos(pe.Query_PERIODO("01", "2"), &PERIODOS::NOM_PERIODO), QStringList({"1º trimestre"}));
    EXPECT_EQ(pe.Query_PERIODO("1", "1")->Count(), 0);
    EXPECT_EQ(codigos(pe.Query_TIPO_PERIODO("1"), &PERIODOS::NOM_PERIODO),
              QStringList({"Janeiro", "Fevereiro"}));

    MAB_RECEITA_CLASSEs rc;
    rc.NewReceitaClasse("5", "100", "", "");
    rc.NewReceitaClasse("6", "100", "", "");
    rc.NewReceitaClasse("5", "200", "", "");
    EXPECT_EQ(codigos(rc.Query_MRC_MCV_ID("5"), &MAB_RECEITA_CLASSE::MRC_MCR_COD_RCTA),
              QStringList({"100", "200"}));
    EXPECT_EQ(codigos(rc.Query_MRC_MCR_COD_RCTA("100"), &MAB_RECEITA_CLASSE::MRC_MCV_ID),
              QStringList({"5", "6"}));
}

TEST(Colecao, QueryMtdoIdReturnsTheFirstRecordOrNull) {
    mab_tipo_documentos t;
    t.NewTipoDocumento("1", "Auto de infração", "");
    t.NewTipoDocumento("1", "outro", "");
    EXPECT_EQ(t.Query_MTDO_ID("1"), t.Item(1));
    EXPECT_EQ(t.Query_MTDO_ID("2"), nullptr);
}

TEST(Colecao, QueryMtpIdIsASubstringTest) {
    MAB_TIPO_PERIODICIDADEs p;
    for (const char* id : {"1", "2", "3", "13", "", "4"})
        p.NewPeriodicidade(id, "", "", "", "", "", "");
    const struct {
        const char* valores;
        QStringList ids;
    } casos[] = {
        {"1,3", {"1", "3"}}, {"12,3", {"1", "2", "3"}},         {"13", {"1", "3", "13"}}, {"", {}},
        {"9", {}},           {"1,2,3,4", {"1", "2", "3", "4"}},
    };
    for (const auto& c : casos)
        EXPECT_EQ(codigos(p.Query_MTP_ID(c.valores), &MAB_TIPO_PERIODICIDADE::MTP_ID), c.ids) << c.valores;
}

TEST(Colecao, QueryCodPeriodoComparesNumbers) {
    PERIODOSs p;
    p.NewPeriodos("1", "01", "Janeiro");
    p.NewPeriodos("1", "1", "Janeiro sem zero");
    p.NewPeriodos("1", "12", "Dezembro");
    const struct {
        const char* valor;
        QStringList nomes;
    } casos[] = {
        {"1", {"Janeiro", "Janeiro sem zero"}},
        {"001", {"Janeiro", "Janeiro sem zero"}},
        {" 12 ", {"Dezembro"}},
        {"3", {}},
        {"x", {"<null>"}},
        {"", {"<null>"}},
        {"40000", {"<null>"}}, // beyond a 16-bit integer
    };
    for (const auto& c : casos)
        EXPECT_EQ(codigos(p.Query_COD_PERIODO(c.valor), &PERIODOS::NOM_PERIODO), c.nomes)
            << '"' << c.valor << '"';

    // A record whose code is not a number stops the search.
    p.NewPeriodos("1", "abc", "ruim");
    EXPECT_EQ(p.Query_COD_PERIODO("12"), nullptr);
}

TEST(Colecao, OnlyTheFirstRuleRecordOfARevenueDecidesOffLineIssuing) {
    MAB_VALIDA_DOCs v;
    v.NewValida_Doc("100", "", "", "", "", "", "", "", "", "", "", "1", "", "", "", "", "", "");
    v.NewValida_Doc("200", "", "", "", "", "", "", "", "", "", "", "0", "", "", "", "", "", "");
    v.NewValida_Doc("200", "", "", "", "", "", "", "", "", "", "", "1", "", "", "", "", "", "");
    EXPECT_TRUE(v.Valida_PERM_EMISS_OFF_LINE("100", "1"));
    EXPECT_FALSE(v.Valida_PERM_EMISS_OFF_LINE("100", "0"));
    EXPECT_FALSE(v.Valida_PERM_EMISS_OFF_LINE("200", "1"));
    EXPECT_TRUE(v.Valida_PERM_EMISS_OFF_LINE("200", "0"));
    EXPECT_FALSE(v.Valida_PERM_EMISS_OFF_LINE("300", "1"));
}

TEST(Colecao, ReceitasDoTipoNeedTheTypeActiveStatusAndOffLineIssuing) {
    ARREC_MAB_RECEITAs a;
    auto receita = [&](const char* cod, const char* status, const char* tipo) {
        a.NewReceita(cod, QStringLiteral("R") + cod, "", "", "", "", "", "", "", "", "", "", "", status, "",
                     "", "", tipo);
    };
    receita("100", "1", "1"); // kept
    receita("200", "0", "1"); // inactive
    receita("300", "1", "2"); // another type
    receita("400", "1", "1"); // first rule forbids off-line issuing
    receita("500", "1", "1"); // no rule
    receita("600", "1", "1"); // kept
    MAB_VALIDA_DOCs v;
    const std::pair<const char*, const char*> regras[] = {{"100", "1"}, {"200", "1"}, {"300", "1"},
                                                          {"400", "0"}, {"400", "1"}, {"600", "1"}};
    for (const auto& [cod, off] : regras)
        v.NewValida_Doc(cod, "", "", "", "", "", "", "", "", "", "", off, "", "", "", "", "", "");
    const auto r = a.Query_Receitas_Do_Tipo("1", v);
    EXPECT_EQ(codigos(r, &ARREC_MAB_RECEITA::MCR_COD_RCTA), QStringList({"100", "600"}));
    EXPECT_EQ(r->Item(1), a.Item(1));
}

TEST(Colecao, ClasseEhValida) {
    MAB_RECEITA_CLASSEs c;
    c.NewReceitaClasse("5", "100", "01/01/2005", "");           // open-ended from 2005
    c.NewReceitaClasse("6", "100", "01/03/2005", "30/06/2005"); // one window
    c.NewReceitaClasse("7", "100", "01/01/2004", "31/12/2004"); // two windows
    c.NewReceitaClasse("7", "100", "01/01/2006", "31/12/2006");
    c.NewReceitaClasse("8", "100", "", "");             // no valid date: changes nothing
    c.NewReceitaClasse("9", "100", "xx", "31/12/2005"); // only the end is a date: changes nothing
    const struct {
        const char* classe;
        const char* receita;
        const char* inicio;
        const char* fim;
        bool valida;
    } casos[] = {
        {"1", "100", "01/01/2005", "31/12/2005", true}, // no rows for the class
        {"5", "200", "01/01/2005", "31/12/2005", true}, // no rows for the revenue
        {"5", "100", "01/01/2005", "31/12/2005", true},  {"5", "100", "01/01/2004", "31/12/2004", false},
        {"5", "100", "01/12/2004", "01/01/2005", true},  // the start day is enough
        {"6", "100", "01/01/2005", "31/03/2005", true},  // period ends inside
        {"6", "100", "01/06/2005", "31/12/2005", true},  // period starts inside
        {"6", "100", "01/01/2005", "31/12/2005", true},  // window inside the period
        {"6", "100", "01/07/2005", "31/12/2005", false}, // after the window
        {"6", "100", "01/01/2005", "28/02/2005", false}, // before it
        {"6", "100", "30/06/2005", "30/06/2005", true},  // bounds included
        {"7", "100", "01/01/2005", "31/12/2005", false}, // between the two windows
        {"7", "100", "01/06/2006", "30/06/2006", true},  // a later row makes it valid
        {"8", "100", "01/01/2005", "31/12/2005", false}, {"9", "100", "01/01/2005", "31/12/2005", false},
        {"6", "100", "xx", "31/12/2005", false}, // a bound that is not a date stops the walk
        {"5", "100", "xx", "31/12/2005", true},  // the open-ended row only needs the end
        {"5", "100", "01/01/2005", "xx", false},
    };
    for (const auto& k : casos)
        EXPECT_EQ(c.CLASSE_EH_VALIDA(k.classe, k.receita, k.inicio, k.fim), k.valida)
            << k.classe << ' ' << k.receita << ' ' << k.inicio << ' ' << k.fim;
}

TEST(Colecao, ClasseEhValidaKeepsATrueResultWhenALaterBoundFails) {
    MAB_RECEITA_CLASSEs c;
    c.NewReceitaClasse("5", "100", "01/01/2005", "");
    c.NewReceitaClasse("5", "100", "01/01/2005", "31/12/2005");
    // The first row is valid by the end alone; the second needs the start, which is not a date.
    EXPECT_TRUE(c.CLASSE_EH_VALIDA("5", "100", "xx", "31/12/2005"));
}

TEST(Colecao, AnEmptySlotMakesTheSearchReturnNull) {
    TAB_MUNICs m = municipios();
    m.Add(nullptr);
    EXPECT_EQ(m.Query_TMU_COD_MUN(QStringLiteral("001")), nullptr);
    MAB_VALIDA_DOCs v;
    v.Add(nullptr);
    EXPECT_FALSE(v.Valida_PERM_EMISS_OFF_LINE("100", "1"));
}
