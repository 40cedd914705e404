#pragma once
// The records of every table: plain text fields in the order of the table's factory, each with the
// column the loader reads it from and whether entity names are decoded in it. Each record also names
// the file its table is kept in (in the data folder) and whether that file carries a digest line: the
// saved documents and taxpayers are the user's own and are not signed.
#include <QString>
#include <array>

namespace tabulon {

template <class Registro> struct DefCampo {
    const char* campo;  // field name
    const char* coluna; // column name looked up in the file header
    bool decodificado;  // entity names decoded on load
    QString Registro::*membro;
};

struct TAB_MUNIC {
    QString TMU_COD_MUN, TMU_NOM_MUN, TMU_UF_MUN, TMU_NUM_CEP;
    static constexpr char arquivo[] = "TAB_MUNIC";
    static constexpr bool comDigest = true;
    static constexpr std::array<DefCampo<TAB_MUNIC>, 4> campos{{
        {"TMU_COD_MUN", "TMU_COD_MUN", false, &TAB_MUNIC::TMU_COD_MUN},
        {"TMU_NOM_MUN", "TMU_NOM_MUN", true, &TAB_MUNIC::TMU_NOM_MUN},
        {"TMU_UF_MUN", "TMU_UF_MUN", false, &TAB_MUNIC::TMU_UF_MUN},
        {"TMU_NUM_CEP", "TMU_NUM_CEP", false, &TAB_MUNIC::TMU_NUM_CEP},
    }};
};

struct MAB_CLASSE_VENCIMENTO {
    QString MCV_ID, MCV_DESCRICAO, MCV_TIPO_CLASSE, MCV_COD_SERVICO, MCV_FEC_FIN_VIG, MCV_TIPO_DOCUMENTO,
        MCV_TGE_VTIP_GRUPO, MCV_ORDEM_EXIBICAO;
    using R = MAB_CLASSE_VENCIMENTO;
    static constexpr char arquivo[] = "mab_classe_vencimento";
    static constexpr bool comDigest = true;
    static constexpr std::array<DefCampo<R>, 8> campos{{
        {"MCV_ID", "MCC_ID", false, &R::MCV_ID},
        {"MCV_DESCRICAO", "MCV_DESCRICAO", true, &R::MCV_DESCRICAO},
        {"MCV_TIPO_CLASSE", "MCV_TIPO_CLASSE", false, &R::MCV_TIPO_CLASSE},
        {"MCV_COD_SERVICO", "MCV_COD_SERVICO", false, &R::MCV_COD_SERVICO},
        {"MCV_FEC_FIN_VIG", "MCV_FEC_FIN_VIG", false, &R::MCV_FEC_FIN_VIG},
        {"MCV_TIPO_DOCUMENTO", "MCV_TIPO_DOCUMENTO", false, &R::MCV_TIPO_DOCUMENTO},
        {"MCV_TGE_VTIP_GRUPO", "MCV_TGE_VTIP_GRUPO", false, &R::MCV_TGE_VTIP_GRUPO},
        {"MCV_ORDEM_EXIBICAO", "MCV_ORDEM_EXIBICAO", false, &R::MCV_ORDEM_EXIBICAO},
    }};
};

struct ARREC_MAB_RECEITA {
    QString MCR_COD_RCTA, MCR_NOME_RCTA, MCR_CLAS_ORCAM, MCR_ORGANO_MUN, MCR_COL_BALANC, MCR_COD_MULT,
        MCR_COD_INTE, MCR_COD_CORR_MONET, MCR_FEC_INIC_VAL, MCR_FEC_FIN_VAL, MCR_INDX_FINANC, MCR_PERID_RCTA,
        MCR_INDX_RCTA, MCR_STUS_RCTA, MCR_COD_USR, MCR_COD_NAC, MCR_GRUPO_TRIB, MCR_MTR_TIP_RECEITA;
    using R = ARREC_MAB_RECEITA;
    static constexpr char arquivo[] = "mab_arrec";
    static constexpr bool comDigest = true;
    static constexpr std::array<DefCampo<R>, 18> campos{{
        {"MCR_COD_RCTA", "MCR_COD_RCTA", false, &R::MCR_COD_RCTA},
        {"MCR_NOME_RCTA", "MCR_NOME_RCTA", true, &R::MCR_NOME_RCTA},
        {"MCR_CLAS_ORCAM", "MCR_CLASS_ORCAM", false, &R::MCR_CLAS_ORCAM},
        {"MCR_ORGANO_MUN", "MCR_ORGANO_MUN", false, &R::MCR_ORGANO_MUN},
        {"MCR_COL_BALANC", "MCR_COL_BALANC", false, &R::MCR_COL_BALANC},
        {"MCR_COD_MULT", "MCR_COD_MULT", false, &R::MCR_COD_MULT},
        {"MCR_COD_INTE", "MCR_COD_INTE", false, &R::MCR_COD_INTE},
        {"MCR_COD_CORR_MONET", "MCR_COD_CORR_MONET", false, &R::MCR_COD_CORR_MONET},
        {"MCR_FEC_INIC_VAL", "MCR_FEC_INIC_VAL", false, &R::MCR_FEC_INIC_VAL},
        {"MCR_FEC_FIN_VAL", "MCR_FEC_FIN_VAL", false, &R::MCR_FEC_FIN_VAL},
        {"MCR_INDX_FINANC", "MCR_INDX_FINANC", false, &R::MCR_INDX_FINANC},
        {"MCR_PERID_RCTA", "MCR_PERID_RCTA", false, &R::MCR_PERID_RCTA},
        {"MCR_INDX_RCTA", "MCD_INDX_RCTA", false, &R::MCR_INDX_RCTA},
        {"MCR_STUS_RCTA", "MCR_STUS_RCTA", false, &R::MCR_STUS_RCTA},
        {"MCR_COD_USR", "MCR_COD_USR", false, &R::MCR_COD_USR},
        {"MCR_COD_NAC", "MCR_COD_NAC", false, &R::MCR_COD_NAC},
        {"MCR_GRUPO_TRIB", "MCR_GRUPO_TRIB", false, &R::MCR_GRUPO_TRIB},
        {"MCR_MTR_TIP_RECEITA", "MCR_MTR_TIP_RECEITA", false, &R::MCR_MTR_TIP_RECEITA},
    }};
};

struct MAB_TIPO_IDENTIFICACAO {
    QString MTI_ID, MTI_DESCRIPTION, MTI_DEFAULT, MTI_ASSEMBLY_NAME_BUILDER, MTI_FULLNAME_CLASS, MTI_STATUS;
    using R = MAB_TIPO_IDENTIFICACAO;
    static constexpr char arquivo[] = "mab_tipo_identificacao";
    static constexpr bool comDigest = true;
    static constexpr std::array<DefCampo<R>, 6> campos{{
        {"MTI_ID", "MTI_ID", false, &R::MTI_ID},
        {"MTI_DESCRIPTION", "MTI_DESCRIPTION", false, &R::MTI_DESCRIPTION},
        {"MTI_DEFAULT", "MTI_DEFAULT", false, &R::MTI_DEFAULT},
        {"MTI_ASSEMBLY_NAME_BUILDER", "MTI_ASSEMBLY_NAME_BUILDER", false, &R::MTI_ASSEMBLY_NAME_BUILDER},
        {"MTI_FULLNAME_CLASS", "MTI_FULLNAME_CLASS", false, &R::MTI_FULLNAME_CLASS},
        {"MTI_STATUS", "MTI_STATUS", false, &R::MTI_STATUS},
    }};
};

struct MAB_TIPO_PERIODICIDADE {
    QString MTP_ID, MTP_DESCRIPTION, MTP_DEFAULT, MTP_ASSEMBLY_NAME_BUILDER, MTP_FULLNAME_CLASS, MTP_STATUS,
        MTP_TGE_TIP_TAB;
    using R = MAB_TIPO_PERIODICIDADE;
    static constexpr char arquivo[] = "mab_tipo_periodicidade";
    static constexpr bool comDigest = true;
    static constexpr std::array<DefCampo<R>, 7> campos{{
        {"MTP_ID", "MTP_ID", false, &R::MTP_ID},
        {"MTP_DESCRIPTION", "MTP_DESCRIPTION", false, &R::MTP_DESCRIPTION},
        {"MTP_DEFAULT", "MTP_DEFAULT", false, &R::MTP_DEFAULT},
        {"MTP_ASSEMBLY_NAME_BUILDER", "MTP_ASSEMBLY_NAME_BUILDER", false, &R::MTP_ASSEMBLY_NAME_BUILDER},
        {"MTP_FULLNAME_CLASS", "MTP_FULLNAME_CLASS", false, &R::MTP_FULLNAME_CLASS},
        {"MTP_STATUS", "MTP_STATUS", false, &R::MTP_STATUS},
        // The delivered header spells this column with a trailing blank.
        {"MTP_TGE_TIP_TAB", "MTP_TGE_TIP_TAB ", false, &R::MTP_TGE_TIP_TAB},
    }};
};

struct MAB_TIPO_RECEITA {
    QString MTR_TIP_RECEITA, MTR_DESCRICAO;
    using R = MAB_TIPO_RECEITA;
    static constexpr char arquivo[] = "mab_tipo_receita";
    static constexpr bool comDigest = true;
    static constexpr std::array<DefCampo<R>, 2> campos{{
        {"MTR_TIP_RECEITA", "MTR_TIP_RECEITA", false, &R::MTR_TIP_RECEITA},
        {"MTR_DESCRICAO", "MTR_DESCRICAO", true, &R::MTR_DESCRICAO},
    }};
};

struct MAB_VALIDA_DOC {
    QString MVD_MCR_COD_RCTA, MVD_TIPO_DOCUMENTO, MVD_DOCUMENTO, MVD_REFERENCIA, MVD_VENCIMENTO, MVD_MFO_ID,
        MVD_MCR_TIP_VALIDA, MVD_PERM_MODIF, MVD_CLASSE_VECTO, MVD_MUNIC, MVD_PERM_EMISS_ON_LINE,
        MVD_PERM_EMISS_OFF_LINE, MVD_PERM_EMISS_PF, MVD_NOME, MVD_TELEFONE, MVD_PERM_EMISS_TESOURO,
        MVD_TIP_CODIGO_BARRA_ON, MVD_TIP_CODIGO_BARRA_OFF;
    using R = MAB_VALIDA_DOC;
    static constexpr char arquivo[] = "mab_valida_doc";
    static constexpr bool comDigest = true;
    static constexpr std::array<DefCampo<R>, 18> campos{{
        {"MVD_MCR_COD_RCTA", "MVD_MCR_COD_RCTA", false, &R::MVD_MCR_COD_RCTA},
        {"MVD_TIPO_DOCUMENTO", "MVD_TIPO_DOCUMENTO", false, &R::MVD_TIPO_DOCUMENTO},
        {"MVD_DOCUMENTO", "MVD_DOCUMENTO", false, &R::MVD_DOCUMENTO},
        {"MVD_REFERENCIA", "MVD_REFERENCIA", false, &R::MVD_REFERENCIA},
        {"MVD_VENCIMENTO", "MVD_VENCIMENTO", false, &R::MVD_VENCIMENTO},
        {"MVD_MFO_ID", "MVD_MFO_ID", false, &R::MVD_MFO_ID},
        {"MVD_MCR_TIP_VALIDA", "MVD_MCR_TIP_VALIDA", false, &R::MVD_MCR_TIP_VALIDA},
        {"MVD_PERM_MODIF", "MVD_PERM_MODIF", false, &R::MVD_PERM_MODIF},
        {"MVD_CLASSE_VECTO", "MVD_CLASSE_VECTO", false, &R::MVD_CLASSE_VECTO},
        {"MVD_MUNIC", "MVD_MUNIC", false, &R::MVD_MUNIC},
        {"MVD_PERM_EMISS_ON_LINE", "MVD_PERM_EMISS_ON_LINE", false, &R::MVD_PERM_EMISS_ON_LINE},
        {"MVD_PERM_EMISS_OFF_LINE", "MVD_PERM_EMISS_OFF_LINE", false, &R::MVD_PERM_EMISS_OFF_LINE},
        {"MVD_PERM_EMISS_PF", "MVD_PERM_EMISS_PF", false, &R::MVD_PERM_EMISS_PF},
        {"MVD_NOME", "MVD_NOME", true, &R::MVD_NOME},
        {"MVD_TELEFONE", "MVD_TELEFONE", false, &R::MVD_TELEFONE},
        {"MVD_PERM_EMISS_TESOURO", "MVD_PERM_EMISS_TESOURO", false, &R::MVD_PERM_EMISS_TESOURO},
        {"MVD_TIP_CODIGO_BARRA_ON", "MVD_TIP_CODIGO_BARRA_ON", false, &R::MVD_TIP_CODIGO_BARRA_ON},
        {"MVD_TIP_CODIGO_BARRA_OFF", "MVD_TIP_CODIGO_BARRA_OFF", false, &R::MVD_TIP_CODIGO_BARRA_OFF},
    }};
};

struct TAB_CERT_ANTIGA {
    QString TCN_ID;
    using R = TAB_CERT_ANTIGA;
    static constexpr char arquivo[] = "TAB_CERT_ANTIGA";
    static constexpr bool comDigest = true;
    static constexpr std::array<DefCampo<R>, 1> campos{{{"TCN_ID", "TCN_ID", false, &R::TCN_ID}}};
};

struct PERIODOS {
    QString TIPO_PERIODO, COD_PERIODO, NOM_PERIODO;
    using R = PERIODOS;
    static constexpr char arquivo[] = "PERIODOS";
    static constexpr bool comDigest = true;
    static constexpr std::array<DefCampo<R>, 3> campos{{
        {"TIPO_PERIODO", "TIPO_PERIODO", false, &R::TIPO_PERIODO},
        {"COD_PERIODO", "COD_PERIODO", false, &R::COD_PERIODO},
        {"NOM_PERIODO", "NOM_PERIODO", true, &R::NOM_PERIODO},
    }};
};

struct PARAMETROS {
    QString ID, DATA_VALIDADE, VERSAO, CAPTION, RECEITA_PADRAO;
    using R = PARAMETROS;
    static constexpr char arquivo[] = "PARAMETROS";
    static constexpr bool comDigest = true;
    static constexpr std::array<DefCampo<R>, 5> campos{{
        {"ID", "ID", false, &R::ID},
        {"DATA_VALIDADE", "DATA_VALIDADE", false, &R::DATA_VALIDADE},
        {"VERSAO", "VERSAO", false, &R::VERSAO},
        {"CAPTION", "CAPTION", false, &R::CAPTION},
        {"RECEITA_PADRAO", "RECEITA_PADRAO", false, &R::RECEITA_PADRAO},
    }};
};

struct MAB_RECEITA_CLASSE {
    QString MRC_MCV_ID, MRC_MCR_COD_RCTA, MRC_DT_VIGENCIA_INICIO, MRC_DT_VIGENCIA_FIM;
    using R = MAB_RECEITA_CLASSE;
    static constexpr char arquivo[] = "mab_receita_classe";
    static constexpr bool comDigest = true;
    static constexpr std::array<DefCampo<R>, 4> campos{{
        {"MRC_MCV_ID", "MRC_MCV_ID", false, &R::MRC_MCV_ID},
        {"MRC_MCR_COD_RCTA", "MRC_COD_RCTA", false, &R::MRC_MCR_COD_RCTA},
        {"MRC_DT_VIGENCIA_INICIO", "MRC_DT_VIGENCIA_INICIO", false, &R::MRC_DT_VIGENCIA_INICIO},
        {"MRC_DT_VIGENCIA_FIM", "MRC_DT_VIGENCIA_FIM", false, &R::MRC_DT_VIGENCIA_FIM},
    }};
};

struct mab_tipo_documento {
    QString MTDO_ID, MTDO_DESCRICAO, MTDO_OBSERVACOES;
    using R = mab_tipo_documento;
    static constexpr char arquivo[] = "mab_tipo_documento_origem";
    static constexpr bool comDigest = true;
    static constexpr std::array<DefCampo<R>, 3> campos{{
        {"MTDO_ID", "MTDO_ID", false, &R::MTDO_ID},
        {"MTDO_DESCRICAO", "MTDO_DESCRICAO", true, &R::MTDO_DESCRICAO},
        {"MTDO_OBSERVACOES", "MTDO_OBSERVACOES", true, &R::MTDO_OBSERVACOES},
    }};
};

// One saved document. The first 18 fields are stored; the last three are filled by the searches.
struct ZOV {
    QString NUM_DOCUMENTO, TIPO_DOCUMENTO_IDENT, NUM_DOCUMENTO_IDENT, COD_RECEITA, REFERENCIA,
        NUM_DOCUMENTO_ORIGEM, DATA_VENCIMENTO, DATA_CALCULO, VALOR_PRINCIPAL, VALOR_JUROS, VALOR_MULTA,
        VALOR_CORRECAO, VALOR_TOTAL, DATA_ATUALIZACAO, COD_UF, COD_MUNICIPIO, COD_CLASSE_VECTO, IMPRESSO;
    QString MCR_NOME_RCTA, RAZAO_SOCIAL, MCR_MTR_TIP_RECEITA;
    using R = ZOV;
    static constexpr char arquivo[] = "ZOV";
    static constexpr bool comDigest = false;
    static constexpr std::array<DefCampo<R>, 18> campos{{
        {"NUM_DOCUMENTO", "NUM_DOCUMENTO", false, &R::NUM_DOCUMENTO},
        {"TIPO_DOCUMENTO_IDENT", "TIPO_DOCUMENTO_IDENT", false, &R::TIPO_DOCUMENTO_IDENT},
        {"NUM_DOCUMENTO_IDENT", "NUM_DOCUMENTO_IDENT", false, &R::NUM_DOCUMENTO_IDENT},
        {"COD_RECEITA", "COD_RECEITA", false, &R::COD_RECEITA},
        {"REFERENCIA", "REFERENCIA", false, &R::REFERENCIA},
        {"NUM_DOCUMENTO_ORIGEM", "NUM_DOCUMENTO_ORIGEM", false, &R::NUM_DOCUMENTO_ORIGEM},
        {"DATA_VENCIMENTO", "DATA_VENCIMENTO", false, &R::DATA_VENCIMENTO},
        {"DATA_CALCULO", "DATA_CALCULO", false, &R::DATA_CALCULO},
        {"VALOR_PRINCIPAL", "VALOR_PRINCIPAL", false, &R::VALOR_PRINCIPAL},
        {"VALOR_JUROS", "VALOR_JUROS", false, &R::VALOR_JUROS},
        {"VALOR_MULTA", "VALOR_MULTA", false, &R::VALOR_MULTA},
        {"VALOR_CORRECAO", "VALOR_CORRECAO", false, &R::VALOR_CORRECAO},
        {"VALOR_TOTAL", "VALOR_TOTAL", false, &R::VALOR_TOTAL},
        {"DATA_ATUALIZACAO", "DATA_ATUALIZACAO", false, &R::DATA_ATUALIZACAO},
        {"COD_UF", "COD_UF", false, &R::COD_UF},
        {"COD_MUNICIPIO", "COD_MUNICIPIO", false, &R::COD_MUNICIPIO},
        {"COD_CLASSE_VECTO", "COD_CLASSE_VECTO", false, &R::COD_CLASSE_VECTO},
        {"IMPRESSO", "IMPRESO", false, &R::IMPRESSO},
    }};
};

struct CONTRIBUINTE {
    QString TIPO_DOCUMENTO, DOCUMENTO_IDENTIFICACAO, RAZAO_SOCIAL, NUM_DDD, NUM_FONE;
    using R = CONTRIBUINTE;
    static constexpr char arquivo[] = "CONTRIBUINTE";
    static constexpr bool comDigest = false;
    static constexpr std::array<DefCampo<R>, 5> campos{{
        {"TIPO_DOCUMENTO", "TIPO_DOCUMENTO", false, &R::TIPO_DOCUMENTO},
        {"DOCUMENTO_IDENTIFICACAO", "DOCUMENTO_IDENTIFICACAO", false, &R::DOCUMENTO_IDENTIFICACAO},
        {"RAZAO_SOCIAL", "RAZAO_SOCIAL", true, &R::RAZAO_SOCIAL},
        {"NUM_DDD", "NUM_DDD", false, &R::NUM_DDD},
        {"NUM_FONE", "NUM_FONE", false, &R::NUM_FONE},
    }};
};

} // namespace tabulon
