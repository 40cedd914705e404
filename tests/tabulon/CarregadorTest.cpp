#include "support/TestSupport.h"
#include "tabulon/ErroExecucao.h"
#include "tabulon/Init.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace tabulon;

namespace {

const QString kPrefixo = QStringLiteral(" Error Carregando Arquivo de Parametros, ");

class Carregador : public ::testing::Test {
protected:
    QTemporaryDir dir;
    Init init;
    void SetUp() override { init.sDiretorioDados(dir.path()); }
    QString arquivo(const QString& nome) const { return dir.filePath(nome); }

    // The error a load raises, or number 0 when it loads.
    template <class Col> ErroExecucao erroDe(std::shared_ptr<Col> (Init::*carregar)() const) {
        try {
            (init.*carregar)();
        } catch (const ErroExecucao& e) {
            return e;
        }
        return ErroExecucao(0, {});
    }
};

// Checks one loader: its file name, whether the digest is checked, the column each field is read
// from (by name: the header lists the columns in reverse order) and which fields are decoded.
template <class Col>
void confereTabela(const QString& pasta, const QString& arquivo, bool comDigest,
                   std::shared_ptr<Col> (Init::*carregar)() const, const QStringList& colunas,
                   const std::function<QStringList(const typename Col::RegistroT&)>& campos,
                   const QList<int>& decodificados) {
    SCOPED_TRACE(arquivo.toStdString());
    Init init;
    init.sDiretorioDados(pasta);
    QStringList cabecalho, valores;
    for (qsizetype k = colunas.size() - 1; k >= 0; --k) {
        cabecalho.append(colunas[k]);
        valores.append(QStringLiteral("v%1 Jo&atilde;o").arg(k));
    }
    const QString caminho = pasta + QLatin1Char('/') + arquivo;
    teste::escreveTabela(caminho, {cabecalho.join(QLatin1Char('|')), valores.join(QLatin1Char('|'))},
                         comDigest);

    const auto colecao = (init.*carregar)();
    ASSERT_TRUE(colecao);
    ASSERT_EQ(colecao->Count(), 1);
    const QStringList obtidos = campos(*colecao->Item(1));
    ASSERT_EQ(obtidos.size(), colunas.size());
    for (qsizetype k = 0; k < colunas.size(); ++k) {
        const QString esperado =
            QStringLiteral("v%1 ").arg(k) +
            (decodificados.contains(k) ? QString::fromUtf8("João") : QStringLiteral("Jo&atilde;o"));
        EXPECT_EQ(obtidos[k], esperado) << "field " << k << " from column " << colunas[k].toStdString();
    }

    // Reference tables refuse a file without its digest line; the two saved tables have none.
    teste::escreveTabela(caminho, {cabecalho.join(QLatin1Char('|')), valores.join(QLatin1Char('|'))}, false);
    if (comDigest) {
        try {
            (init.*carregar)();
            ADD_FAILURE() << "unsigned file loaded";
        } catch (const ErroExecucao& e) {
            EXPECT_EQ(e.Numero(), ErroExecucao::ArquivoCorrompido);
        }
    } else {
        EXPECT_EQ((init.*carregar)()->Count(), 1);
    }
}

} // namespace

TEST_F(Carregador, EveryTableFileColumnsAndDecodedFields) {
    const QString p = dir.path();
    confereTabela<MAB_RECEITA_CLASSEs>(
        p, "mab_receita_classe", true, &Init::CarregarMabReceitaClasse,
        {"MRC_MCV_ID", "MRC_COD_RCTA", "MRC_DT_VIGENCIA_INICIO", "MRC_DT_VIGENCIA_FIM"},
        [](const MAB_RECEITA_CLASSE& r) -> QStringList {
            return {r.MRC_MCV_ID, r.MRC_MCR_COD_RCTA, r.MRC_DT_VIGENCIA_INICIO, r.MRC_DT_VIGENCIA_FIM};
        },
        {});
    confereTabela<TAB_MUNICs>(p, "TAB_MUNIC", true, &Init::CarregarMunicipio,
                              {"TMU_COD_MUN", "TMU_NOM_MUN", "TMU_UF_MUN", "TMU_NUM_CEP"},
                              [](const TAB_MUNIC& r) -> QStringList {
                                  return {r.TMU_COD_MUN, r.TMU_NOM_MUN, r.TMU_UF_MUN, r.TMU_NUM_CEP};
                              },
                              {1});
    confereTabela<MAB_CLASSE_VENCIMENTOs>(
        p, "mab_classe_vencimento", true, &Init::CarregarMabClasseVencimento,
        {"MCC_ID", "MCV_DESCRICAO", "MCV_TIPO_CLASSE", "MCV_COD_SERVICO", "MCV_FEC_FIN_VIG",
         "MCV_TIPO_DOCUMENTO", "MCV_TGE_VTIP_GRUPO", "MCV_ORDEM_EXIBICAO"},
        [](const MAB_CLASSE_VENCIMENTO& r) -> QStringList {
            return {r.MCV_ID,          r.MCV_DESCRICAO,      r.MCV_TIPO_CLASSE,    r.MCV_COD_SERVICO,
                    r.MCV_FEC_FIN_VIG, r.MCV_TIPO_DOCUMENTO, r.MCV_TGE_VTIP_GRUPO, r.MCV_ORDEM_EXIBICAO};
        },
        {1});
    confereTabela<ARREC_MAB_RECEITAs>(
        p, "mab_arrec", true, &Init::CarregarReceita,
        {"MCR_COD_RCTA", "MCR_NOME_RCTA", "MCR_CLASS_ORCAM", "MCR_ORGANO_MUN", "MCR_COL_BALANC",
         "MCR_COD_MULT", "MCR_COD_INTE", "MCR_COD_CORR_MONET", "MCR_FEC_INIC_VAL", "MCR_FEC_FIN_VAL",
         "MCR_INDX_FINANC", "MCR_PERID_RCTA", "MCD_INDX_RCTA", "MCR_STUS_RCTA", "MCR_COD_USR", "MCR_COD_NAC",
         "MCR_GRUPO_TRIB", "MCR_MTR_TIP_RECEITA"},
        [](const ARREC_MAB_RECEITA& r) -> QStringList {
            return {r.MCR_COD_RCTA,     r.MCR_NOME_RCTA,      r.MCR_CLAS_ORCAM,  r.MCR_ORGANO_MUN,
                    r.MCR_COL_BALANC,   r.MCR_COD_MULT,       r.MCR_COD_INTE,    r.MCR_COD_CORR_MONET,
                    r.MCR_FEC_INIC_VAL, r.MCR_FEC_FIN_VAL,    r.MCR_INDX_FINANC, r.MCR_PERID_RCTA,
                    r.MCR_INDX_RCTA,    r.MCR_STUS_RCTA,      r.MCR_COD_USR,     r.MCR_COD_NAC,
                    r.MCR_GRUPO_TRIB,   r.MCR_MTR_TIP_RECEITA};
        },
        {1});
    confereTabela<MAB_TIPO_IDENTIFICACAOs>(p, "mab_tipo_identificacao", true,
                                           &Init::CarregarMabTipoIdentificacao,
                                           {"MTI_ID", "MTI_DESCRIPTION", "MTI_DEFAULT",
                                            "MTI_ASSEMBLY_NAME_BUILDER", "MTI_FULLNAME_CLASS", "MTI_STATUS"},
                                           [](const MAB_TIPO_IDENTIFICACAO& r) -> QStringList {
                                               return {r.MTI_ID,
                                                       r.MTI_DESCRIPTION,
                                                       r.MTI_DEFAULT,
                                                       r.MTI_ASSEMBLY_NAME_BUILDER,
                                                       r.MTI_FULLNAME_CLASS,
                                                       r.MTI_STATUS};
                                           },
                                           {});
    // The header spells the last column with a trailing blank, and the loader looks it up that way.
    confereTabela<MAB_TIPO_PERIODICIDADEs>(
        p, "mab_tipo_periodicidade", true, &Init::CarregarMabTipoPeriodicidade,
        {"MTP_ID", "MTP_DESCRIPTION", "MTP_DEFAULT", "MTP_ASSEMBLY_NAME_BUILDER", "MTP_FULLNAME_CLASS",
         "MTP_STATUS", "MTP_TGE_TIP_TAB "},
        [](const MAB_TIPO_PERIODICIDADE& r) -> QStringList {
            return {r.MTP_ID,
                    r.MTP_DESCRIPTION,
                    r.MTP_DEFAULT,
                    r.MTP_ASSEMBLY_NAME_BUILDER,
                    r.MTP_FULLNAME_CLASS,
                    r.MTP_STATUS,
                    r.MTP_TGE_TIP_TAB};
        },
        {});
    confereTabela<MAB_TIPO_RECEITAs>(p, "mab_tipo_receita", true, &Init::CarregarMabTipoReceita,
                                     {"MTR_TIP_RECEITA", "MTR_DESCRICAO"},
                                     [](const MAB_TIPO_RECEITA& r) -> QStringList {
                                         return {r.MTR_TIP_RECEITA, r.MTR_DESCRICAO};
                                     },
                                     {1});
    confereTabela<MAB_VALIDA_DOCs>(
        p, "mab_valida_doc", true, &Init::CarregarMabValidaDoc,
        {"MVD_MCR_COD_RCTA", "MVD_TIPO_DOCUMENTO", "MVD_DOCUMENTO", "MVD_REFERENCIA", "MVD_VENCIMENTO",
         "MVD_MFO_ID", "MVD_MCR_TIP_VALIDA", "MVD_PERM_MODIF", "MVD_CLASSE_VECTO", "MVD_MUNIC",
         "MVD_PERM_EMISS_ON_LINE", "MVD_PERM_EMISS_OFF_LINE", "MVD_PERM_EMISS_PF", "MVD_NOME", "MVD_TELEFONE",
         "MVD_PERM_EMISS_TESOURO", "MVD_TIP_CODIGO_BARRA_ON", "MVD_TIP_CODIGO_BARRA_OFF"},
        [](const MAB_VALIDA_DOC& r) -> QStringList {
            return {r.MVD_MCR_COD_RCTA,
                    r.MVD_TIPO_DOCUMENTO,
                    r.MVD_DOCUMENTO,
                    r.MVD_REFERENCIA,
                    r.MVD_VENCIMENTO,
                    r.MVD_MFO_ID,
                    r.MVD_MCR_TIP_VALIDA,
                    r.MVD_PERM_MODIF,
                    r.MVD_CLASSE_VECTO,
                    r.MVD_MUNIC,
                    r.MVD_PERM_EMISS_ON_LINE,
                    r.MVD_PERM_EMISS_OFF_LINE,
                    r.MVD_PERM_EMISS_PF,
                    r.MVD_NOME,
                    r.MVD_TELEFONE,
                    r.MVD_PERM_EMISS_TESOURO,
                    r.MVD_TIP_CODIGO_BARRA_ON,
                    r.MVD_TIP_CODIGO_BARRA_OFF};
        },
        {13});
    confereTabela<CONTRIBUINTEs>(
        p, "CONTRIBUINTE", false, &Init::CarregarContribuinte,
        {"TIPO_DOCUMENTO", "DOCUMENTO_IDENTIFICACAO", "RAZAO_SOCIAL", "NUM_DDD", "NUM_FONE"},
        [](const CONTRIBUINTE& r) -> QStringList {
            return {r.TIPO_DOCUMENTO, r.DOCUMENTO_IDENTIFICACAO, r.RAZAO_SOCIAL, r.NUM_DDD, r.NUM_FONE};
        },
        {2});
    confereTabela<ZOVs>(p, "ZOV", false, &Init::CarregarZOV,
                        {"NUM_DOCUMENTO", "TIPO_DOCUMENTO_IDENT", "NUM_DOCUMENTO_IDENT", "COD_RECEITA",
                         "REFERENCIA", "NUM_DOCUMENTO_ORIGEM", "DATA_VENCIMENTO", "DATA_CALCULO",
                         "VALOR_PRINCIPAL", "VALOR_JUROS", "VALOR_MULTA", "VALOR_CORRECAO", "VALOR_TOTAL",
                         "DATA_ATUALIZACAO", "COD_UF", "COD_MUNICIPIO", "COD_CLASSE_VECTO", "IMPRESO"},
                        [](const ZOV& r) -> QStringList {
                            return {r.NUM_DOCUMENTO,   r.TIPO_DOCUMENTO_IDENT, r.NUM_DOCUMENTO_IDENT,
                                    r.COD_RECEITA,     r.REFERENCIA,           r.NUM_DOCUMENTO_ORIGEM,
                                    r.DATA_VENCIMENTO, r.DATA_CALCULO,         r.VALOR_PRINCIPAL,
                                    r.VALOR_JUROS,     r.VALOR_MULTA,          r.VALOR_CORRECAO,
                                    r.VALOR_TOTAL,     r.DATA_ATUALIZACAO,     r.COD_UF,
                                    r.COD_MUNICIPIO,   r.COD_CLASSE_VECTO,     r.IMPRESSO};
                        },
                        {});
    confereTabela<PARAMETROSs>(p, "PARAMETROS", true, &Init::CarregarParametros,
                               {"ID", "DATA_VALIDADE", "VERSAO", "CAPTION", "RECEITA_PADRAO"},
                               [](const PARAMETROS& r) -> QStringList {
                                   return {r.ID, r.DATA_VALIDADE, r.VERSAO, r.CAPTION, r.RECEITA_PADRAO};
                               },
                               {});
    confereTabela<PERIODOSs>(p, "PERIODOS", true, &Init::CarregarPeriodos,
                             {"TIPO_PERIODO", "COD_PERIODO", "NOM_PERIODO"},
                             [](const PERIODOS& r) -> QStringList {
                                 return {r.TIPO_PERIODO, r.COD_PERIODO, r.NOM_PERIODO};
                             },
                             {2});
    confereTabela<TAB_CERT_ANTIGAs>(p, "TAB_CERT_ANTIGA", true, &Init::CarregarCertAntigas, {"TCN_ID"},
                                    [](const TAB_CERT_ANTIGA& r) -> QStringList { return {r.TCN_ID}; }, {});
    confereTabela<mab_tipo_documentos>(p, "mab_tipo_documento_origem", true,
                                       &Init::CarregarTipoDocumentoOrigem,
                                       {"MTDO_ID", "MTDO_DESCRICAO", "MTDO_OBSERVACOES"},
                                       [](const mab_tipo_documento& r) -> QStringList {
                                           return {r.MTDO_ID, r.MTDO_DESCRICAO, r.MTDO_OBSERVACOES};
                                       },
                                       {1, 2});
}

TEST(Tabelas, TheFourteenFilesInLoadingOrderWithTheirDigestCheck) {
    const std::pair<const char*, bool> esperadas[] = {
        {"mab_receita_classe", true},
        {"TAB_MUNIC", true},
        {"mab_classe_vencimento", true},
        {"mab_arrec", true},
        {"mab_tipo_identificacao", true},
        {"mab_tipo_periodicidade", true},
        {"mab_tipo_receita", true},
        {"mab_valida_doc", true},
        {"CONTRIBUINTE", false},
        {"ZOV", false},
        {"PARAMETROS", true},
        {"PERIODOS", true},
        {"TAB_CERT_ANTIGA", true},
        {"mab_tipo_documento_origem", true},
    };
    ASSERT_EQ(std::size(Init::Tabelas), std::size(esperadas));
    for (size_t i = 0; i < std::size(esperadas); ++i) {
        EXPECT_STREQ(Init::Tabelas[i].arquivo, esperadas[i].first);
        EXPECT_EQ(Init::Tabelas[i].comDigest, esperadas[i].second) << esperadas[i].first;
    }
}

TEST_F(Carregador, SavedDocumentsLeaveTheSearchFieldsEmpty) {
    teste::escreveTabela(arquivo("ZOV"),
                         {"NUM_DOCUMENTO|TIPO_DOCUMENTO_IDENT|NUM_DOCUMENTO_IDENT|COD_RECEITA|REFERENCIA|"
                          "NUM_DOCUMENTO_ORIGEM|DATA_VENCIMENTO|DATA_CALCULO|VALOR_PRINCIPAL|VALOR_JUROS|"
                          "VALOR_MULTA|VALOR_CORRECAO|VALOR_TOTAL|DATA_ATUALIZACAO|COD_UF|COD_MUNICIPIO|"
                          "COD_CLASSE_VECTO|IMPRESO",
                          "7|3|12345678909|1234|200503||10/04/2005|01/04/2005|100,00|0,00|0,00|0,00|100,00|"
                          "01/04/2005|OL|001|1|1"},
                         false);
    const auto zovs = init.CarregarZOV();
    ASSERT_EQ(zovs->Count(), 1);
    EXPECT_EQ(zovs->Item(1)->IMPRESSO, QStringLiteral("1"));
    EXPECT_EQ(zovs->Item(1)->VALOR_TOTAL, QStringLiteral("100,00"));
    EXPECT_TRUE(zovs->Item(1)->MCR_NOME_RCTA.isEmpty());
    EXPECT_TRUE(zovs->Item(1)->RAZAO_SOCIAL.isEmpty());
    EXPECT_TRUE(zovs->Item(1)->MCR_MTR_TIP_RECEITA.isEmpty());
    EXPECT_EQ(zovs->Campos_Count(), 17);
}

TEST_F(Carregador, HeaderOnlyGivesAnEmptyCollectionWithItsColumns) {
    teste::escreveTabela(arquivo("TAB_MUNIC"), {"TMU_COD_MUN|TMU_NOM_MUN|TMU_UF_MUN|TMU_NUM_CEP"}, true);
    const auto m = init.CarregarMunicipio();
    EXPECT_EQ(m->Count(), 0);
    EXPECT_EQ(m->Campos_Count(), 3);
    EXPECT_EQ(m->Campo(0), QStringLiteral("TMU_COD_MUN"));
    EXPECT_EQ(m->Campo(3), QStringLiteral("TMU_NUM_CEP"));
}

TEST_F(Carregador, RecordsInFileOrderSurplusValuesIgnoredUnknownColumnReadsTheFirst) {
    // TMU_UF_MUN is missing from the header: its field takes the first column's value.
    teste::escreveTabela(
        arquivo("TAB_MUNIC"),
        {"TMU_COD_MUN|TMU_NOM_MUN|TMU_NUM_CEP", "001|Alfa|11000-000|sobra|mais", "002|Beta|12000-000"}, true);
    const auto m = init.CarregarMunicipio();
    ASSERT_EQ(m->Count(), 2);
    EXPECT_EQ(m->Item(1)->TMU_COD_MUN, QStringLiteral("001"));
    EXPECT_EQ(m->Item(1)->TMU_NUM_CEP, QStringLiteral("11000-000"));
    EXPECT_EQ(m->Item(1)->TMU_UF_MUN, QStringLiteral("001"));
    EXPECT_EQ(m->Item(2)->TMU_NOM_MUN, QStringLiteral("Beta"));
    EXPECT_EQ(m->Item(2)->TMU_UF_MUN, QStringLiteral("002"));
}

TEST_F(Carregador, ValuesAreKeptExactly) {
    teste::escreveTabela(arquivo("TAB_CERT_ANTIGA"),
                         {"TCN_ID", "  7 ", QString::fromUtf8("ç€\u0081"), QStringLiteral("a b|c")}, true);
    const auto c = init.CarregarCertAntigas();
    ASSERT_EQ(c->Count(), 3);
    EXPECT_EQ(c->Item(1)->TCN_ID, QStringLiteral("  7 "));
    EXPECT_EQ(c->Item(2)->TCN_ID, QString::fromUtf8("ç€\u0081"));
    EXPECT_EQ(c->Item(3)->TCN_ID, QStringLiteral("a b"));
}

TEST_F(Carregador, DigestLinesAreSkippedInTheSavedTables) {
    teste::escreveTabela(arquivo("CONTRIBUINTE"),
                         {"TIPO_DOCUMENTO|DOCUMENTO_IDENTIFICACAO|RAZAO_SOCIAL|NUM_DDD|NUM_FONE",
                          ":):)qualquer coisa", "3|123|ANA|61|5550000", ":):)"},
                         false);
    const auto c = init.CarregarContribuinte();
    ASSERT_EQ(c->Count(), 1);
    EXPECT_EQ(c->Item(1)->RAZAO_SOCIAL, QStringLiteral("ANA"));
}

TEST_F(Carregador, TwoLoadsGiveIndependentCollections) {
    teste::escreveTabela(arquivo("TAB_CERT_ANTIGA"), {"TCN_ID", "1"}, true);
    const auto a = init.CarregarCertAntigas();
    const auto b = init.CarregarCertAntigas();
    a->Item(1)->TCN_ID = QStringLiteral("alterado");
    EXPECT_EQ(b->Item(1)->TCN_ID, QStringLiteral("1"));
    EXPECT_NE(a->Item(1), b->Item(1));
}

TEST_F(Carregador, EntityNamesDecodedOnlyWhenSpelledExactly) {
    const struct {
        const char* valor;
        const char* esperado;
    } casos[] = {
        {"Jo&atilde;o", "João"},
        {"&Ccedil;&Atilde;O &ordm;", "ÇÃO º"},
        {"&ATILDE;", "&ATILDE;"},                                             // upper-case name
        {"Jo&atilde o", "Jo&atilde o"},                                       // no semicolon
        {"&#227;&#xE3;", "&#227;&#xE3;"},                                     // numeric references
        {"&amp;&Oslash;&eth;&Yuml;&nbsp;", "&amp;&Oslash;&eth;&Yuml;&nbsp;"}, // names outside the list
        {"&&atilde;;", "&ã;"},
        {"&", "&"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(Init::DecodificaTexto(QString::fromUtf8(c.valor)), QString::fromUtf8(c.esperado))
            << c.valor;
}

TEST_F(Carregador, TheFiftyFiveEntityNames) {
    // Each name stands for its Latin-1 letter: checked through the letter's canonical decomposition.
    const char* nomes[] = {
        "Aacute", "Egrave", "ocirc",  "Ccedil", "aacute", "egrave", "Ograve", "ccedil", "Acirc",  "Euml",
        "ograve", "acirc",  "euml",   "Ntilde", "Agrave", "ntilde", "agrave", "Otilde", "Aring",  "otilde",
        "Yacute", "aring",  "Iacute", "Ouml",   "yacute", "Atilde", "iacute", "ouml",   "atilde", "Icirc",
        "Auml",   "icirc",  "Uacute", "auml",   "Igrave", "uacute", "igrave", "Ucirc",  "Iuml",   "ucirc",
        "iuml",   "Ugrave", "Eacute", "ugrave", "eacute", "Oacute", "Uuml",   "Ecirc",  "oacute", "uuml",
        "thorn",  "ecirc",  "Ocirc",  "szlig",  "ordm",
    };
    ASSERT_EQ(std::size(nomes), 55u);
    const QList<QPair<QString, char16_t>> acentos = {
        {"acute", 0x0301}, {"grave", 0x0300}, {"circ", 0x0302},  {"tilde", 0x0303},
        {"uml", 0x0308},   {"ring", 0x030A},  {"cedil", 0x0327},
    };
    QString todos;
    for (const char* n : nomes) {
        const QString nome = QString::fromLatin1(n);
        const QString decodificado = Init::DecodificaTexto(QLatin1Char('&') + nome + QLatin1Char(';'));
        ASSERT_EQ(decodificado.size(), 1) << n;
        const QChar c = decodificado.at(0);
        EXPECT_LE(c.unicode(), 0xFF) << n;
        todos += c;
        if (nome == QLatin1String("thorn"))
            EXPECT_EQ(c, QChar(0x00FE));
        else if (nome == QLatin1String("szlig"))
            EXPECT_EQ(c, QChar(0x00DF));
        else if (nome == QLatin1String("ordm"))
            EXPECT_EQ(c.decomposition(), QStringLiteral("o")) << n;
        else {
            const QString base = nome.left(1);
            const auto acento = std::find_if(acentos.begin(), acentos.end(),
                                             [&](const auto& a) { return nome.mid(1) == a.first; });
            ASSERT_NE(acento, acentos.end()) << n;
            EXPECT_EQ(c.decomposition(), base + QChar(acento->second)) << n;
        }
    }
    // All in one value, every one replaced.
    QString texto;
    for (const char* n : nomes)
        texto += QLatin1Char('&') + QLatin1String(n) + QLatin1Char(';');
    EXPECT_EQ(Init::DecodificaTexto(texto), todos);
}

TEST_F(Carregador, DecodingEqualsReplacingEachNameInTurn) {
    // The plain reading of the rule: every listed name replaced everywhere, one name after the other.
    const QList<QPair<QString, QString>> nomes = {
        {"&Aacute;", "Á"}, {"&Egrave;", "È"}, {"&ocirc;", "ô"},  {"&Ccedil;", "Ç"}, {"&aacute;", "á"},
        {"&egrave;", "è"}, {"&Ograve;", "Ò"}, {"&ccedil;", "ç"}, {"&Acirc;", "Â"},  {"&Euml;", "Ë"},
        {"&ograve;", "ò"}, {"&acirc;", "â"},  {"&euml;", "ë"},   {"&Ntilde;", "Ñ"}, {"&Agrave;", "À"},
        {"&ntilde;", "ñ"}, {"&agrave;", "à"}, {"&Otilde;", "Õ"}, {"&Aring;", "Å"},  {"&otilde;", "õ"},
        {"&Yacute;", "Ý"}, {"&aring;", "å"},  {"&Iacute;", "Í"}, {"&Ouml;", "Ö"},   {"&yacute;", "ý"},
        {"&Atilde;", "Ã"}, {"&iacute;", "í"}, {"&ouml;", "ö"},   {"&atilde;", "ã"}, {"&Icirc;", "Î"},
        {"&Auml;", "Ä"},   {"&icirc;", "î"},  {"&Uacute;", "Ú"}, {"&auml;", "ä"},   {"&Igrave;", "Ì"},
        {"&uacute;", "ú"}, {"&igrave;", "ì"}, {"&Ucirc;", "Û"},  {"&Iuml;", "Ï"},   {"&ucirc;", "û"},
        {"&iuml;", "ï"},   {"&Ugrave;", "Ù"}, {"&Eacute;", "É"}, {"&ugrave;", "ù"}, {"&eacute;", "é"},
        {"&Oacute;", "Ó"}, {"&Uuml;", "Ü"},   {"&Ecirc;", "Ê"},  {"&oacute;", "ó"}, {"&uuml;", "ü"},
        {"&thorn;", "þ"},  {"&ecirc;", "ê"},  {"&Ocirc;", "Ô"},  {"&szlig;", "ß"},  {"&ordm;", "º"},
    };
    auto porNome = [&](QString t) {
        for (const auto& [nome, letra] : nomes)
            t.replace(nome, letra);
        return t;
    };
    // Texts built from pieces that make names, near-names and nested ampersands.
    const QStringList pedacos = {"&",       ";",    "a",   "A",        "tilde",    "acute",
                                 "uml",     "ordm", "amp", "&atilde;", "&Aacute;", "&ordm;",
                                 "&szlig;", " ",    "x&",  "&#227;",   "ã",        "é"};
    quint32 semente = 12345;
    auto sorteio = [&](int n) {
        semente = semente * 1103515245u + 12345u;
        return int((semente >> 16) % quint32(n));
    };
    for (int caso = 0; caso < 3000; ++caso) {
        QString texto;
        const int partes = 1 + sorteio(12);
        for (int i = 0; i < partes; ++i)
            texto += pedacos[sorteio(int(pedacos.size()))];
        ASSERT_EQ(Init::DecodificaTexto(texto), porNome(texto)) << texto.toStdString();
    }
}

TEST_F(Carregador, MissingFileIsError53WithTheLoaderDescription) {
    const ErroExecucao e = erroDe(&Init::CarregarReceita);
    EXPECT_EQ(e.Numero(), ErroExecucao::ArquivoNaoEncontrado);
    EXPECT_TRUE(e.Descricao().startsWith(kPrefixo)) << e.what();
    EXPECT_TRUE(e.Descricao().endsWith(arquivo("mab_arrec"))) << e.what();
    EXPECT_TRUE(e.Origem().isEmpty());
}

TEST_F(Carregador, CorruptFileNamesThePathTwice) {
    teste::escreveTabela(arquivo("PARAMETROS"),
                         {"ID|DATA_VALIDADE|VERSAO|CAPTION|RECEITA_PADRAO", "1|||ZOVE|"}, false);
    const ErroExecucao e = erroDe(&Init::CarregarParametros);
    EXPECT_EQ(e.Numero(), 11111);
    EXPECT_EQ(e.Descricao(), kPrefixo + QStringLiteral(" Arquivo Corrompido ") + arquivo("PARAMETROS") +
                                 arquivo("PARAMETROS"));
    EXPECT_TRUE(e.Origem().isEmpty());
}

TEST_F(Carregador, RecordAfterTheDigestLineIsNotLoadedTheFileIsCorrupt) {
    teste::escreveTabela(arquivo("TAB_CERT_ANTIGA"), {"TCN_ID", "1"}, true);
    QByteArray conteudo = teste::leArquivo(arquivo("TAB_CERT_ANTIGA"));
    teste::gravaArquivo(arquivo("TAB_CERT_ANTIGA"), conteudo + "2\r\n");
    EXPECT_EQ(erroDe(&Init::CarregarCertAntigas).Numero(), ErroExecucao::ArquivoCorrompido);
}

// Bad content in a table without digest: every case ends in the loader's error, never a crash.
TEST_F(Carregador, BadInputEndsInTheLoaderError) {
    const QByteArray cab = "TIPO_DOCUMENTO|DOCUMENTO_IDENTIFICACAO|RAZAO_SOCIAL|NUM_DDD|NUM_FONE\r\n";
    const struct {
        const char* nome;
        QByteArray conteudo;
        int numero;
        const char* trecho; // part of the description that says what is wrong
    } casos[] = {
        {"empty file", QByteArray(), 62, "vazio"},
        {"record cut short", cab + "3|123|ANA|61|5550000\r\n3|456|BE", 9, "linha 3 tem 3 valor(es)"},
        {"empty line", cab + "3|123|ANA|61|5550000\r\n\r\n3|456|BETO|61|5551111\r\n", 9,
         "linha 3 está vazia"},
        {"NUL byte in a record", cab + QByteArray("3|123|A\0NA|61|5550000\r\n", 24), 11111,
         "nulo na linha 2"},
        {"NUL bytes of a cut write", cab + QByteArray(16, '\0'), 11111, "nulo na linha 2"},
        {"NUL byte in the header", QByteArray("TIPO\0|X\r\n", 9), 11111, "nulo na linha 1"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        teste::gravaArquivo(arquivo("CONTRIBUINTE"), c.conteudo);
        const ErroExecucao e = erroDe(&Init::CarregarContribuinte);
        EXPECT_EQ(e.Numero(), c.numero) << e.what();
        EXPECT_TRUE(e.Descricao().startsWith(kPrefixo)) << e.what();
        EXPECT_TRUE(e.Descricao().contains(QString::fromUtf8(c.trecho))) << e.what();
        EXPECT_TRUE(e.Descricao().endsWith(arquivo("CONTRIBUINTE"))) << e.what();
    }
}

TEST_F(Carregador, TruncatedReferenceFileIsCorrupt) {
    teste::escreveTabela(arquivo("TAB_CERT_ANTIGA"), {"TCN_ID", "1", "2"}, true);
    const QByteArray inteiro = teste::leArquivo(arquivo("TAB_CERT_ANTIGA"));
    for (qsizetype corte : {inteiro.size() - 3, inteiro.size() / 2, qsizetype(3)}) {
        teste::gravaArquivo(arquivo("TAB_CERT_ANTIGA"), inteiro.left(corte));
        EXPECT_EQ(erroDe(&Init::CarregarCertAntigas).Numero(), ErroExecucao::ArquivoCorrompido) << corte;
    }
}

TEST_F(Carregador, VeryLongLinesLoad) {
    const QString longo(1 << 20, QLatin1Char('x'));
    // A decoded value made of ampersands with one name at its very end.
    const QString ampersands = QString(200000, QLatin1Char('&')) + QStringLiteral("&atilde;");
    teste::escreveTabela(
        arquivo("CONTRIBUINTE"),
        {"TIPO_DOCUMENTO|DOCUMENTO_IDENTIFICACAO|RAZAO_SOCIAL|NUM_DDD|NUM_FONE",
         QStringLiteral("3|123|") + longo + QStringLiteral("|61|5550000"),
         QStringLiteral("3|") + longo + QLatin1Char('|') + ampersands + QStringLiteral("|61|")},
        false);
    const auto c = init.CarregarContribuinte();
    ASSERT_EQ(c->Count(), 2);
    EXPECT_EQ(c->Item(1)->RAZAO_SOCIAL, longo);
    EXPECT_EQ(c->Item(1)->NUM_FONE, QStringLiteral("5550000"));
    EXPECT_EQ(c->Item(2)->DOCUMENTO_IDENTIFICACAO, longo);
    EXPECT_EQ(c->Item(2)->RAZAO_SOCIAL, QString(200000, QLatin1Char('&')) + QString::fromUtf8("ã"));
    EXPECT_EQ(c->Item(2)->NUM_FONE, QString());
}

TEST_F(Carregador, MoreRecordsThanASixteenBitPositionHolds) {
    QStringList linhas{QStringLiteral("TCN_ID")};
    for (int i = 1; i <= 40000; ++i)
        linhas.append(QString::number(i));
    teste::escreveTabela(arquivo("TAB_CERT_ANTIGA"), linhas, true);
    const auto c = init.CarregarCertAntigas();
    ASSERT_EQ(c->Count(), 40000);
    EXPECT_EQ(c->Item(32767)->TCN_ID, QStringLiteral("32767"));
    EXPECT_EQ(c->Item(32768)->TCN_ID, QStringLiteral("32768"));
    EXPECT_EQ(c->Item(40000)->TCN_ID, QStringLiteral("40000"));
    EXPECT_EQ(c->Query_TCN_ID(QStringLiteral("39999"))->Count(), 1);
}
