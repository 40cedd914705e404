#pragma once
// One collection class per table, with its factory and its own searches.
#include "tabulon/Colecao.h"
#include "tabulon/Exportacao.h"
#include "tabulon/Registros.h"

namespace tabulon {

class TABULON_API TAB_MUNICs : public Colecao<TAB_MUNIC, TAB_MUNICs> {
public:
    void NewMunicipio(const QString& pTMU_COD_MUN, const QString& pTMU_NOM_MUN, const QString& pTMU_UF_MUN,
                      const QString& pTMU_NUM_CEP);
    std::shared_ptr<TAB_MUNICs> Query_TMU_COD_MUN(const QString& valor) const;
};

class TABULON_API MAB_CLASSE_VENCIMENTOs : public Colecao<MAB_CLASSE_VENCIMENTO, MAB_CLASSE_VENCIMENTOs> {
public:
    void NewClasseVencimento(const QString& pMCV_ID, const QString& pMCV_DESCRICAO,
                             const QString& pMCV_TIPO_CLASSE, const QString& pMCV_COD_SERVICO,
                             const QString& pMCV_FEC_FIN_VIG, const QString& pMCV_TIPO_DOCUMENTO,
                             const QString& pMCV_TGE_VTIP_GRUPO, const QString& pMCV_ORDEM_EXIBICAO);
    std::shared_ptr<MAB_CLASSE_VENCIMENTOs> Query_MCV_ID(const QString& valor, const QString& Receita) const;
    std::shared_ptr<MAB_CLASSE_VENCIMENTOs> Query_MCV_COD_SERVICO(const QString& valor,
                                                                  const QString& Receita) const;
};

class MAB_VALIDA_DOCs;

class TABULON_API ARREC_MAB_RECEITAs : public Colecao<ARREC_MAB_RECEITA, ARREC_MAB_RECEITAs> {
public:
    void NewReceita(const QString& pMCR_COD_RCTA, const QString& pMCR_NOME_RCTA,
                    const QString& pMCR_CLAS_ORCAM, const QString& pMCR_ORGANO_MUN,
                    const QString& pMCR_COL_BALANC, const QString& pMCR_COD_MULT,
                    const QString& pMCR_COD_INTE, const QString& pMCR_COD_CORR_MONET,
                    const QString& pMCR_FEC_INIC_VAL, const QString& pMCR_FEC_FIN_VAL,
                    const QString& pMCR_INDX_FINANC, const QString& pMCR_PERID_RCTA,
                    const QString& pMCR_INDX_RCTA, const QString& pMCR_STUS_RCTA, const QString& pMCR_COD_USR,
                    const QString& pMCR_COD_NAC, const QString& pMCR_GRUPO_TRIB,
                    const QString& pMCR_MTR_TIP_RECEITA);
    // Active revenues of a type whose first rule record allows off-line issuing.
    std::shared_ptr<ARREC_MAB_RECEITAs> Query_Receitas_Do_Tipo(const QString& pTipo,
                                                               const MAB_VALIDA_DOCs& oMAB_VALIDA_DOCS) const;
    std::shared_ptr<ARREC_MAB_RECEITAs> Query_MCR_COD_RCTA(const QString& pMCR_COD_RCTA) const;
};

class TABULON_API MAB_TIPO_IDENTIFICACAOs : public Colecao<MAB_TIPO_IDENTIFICACAO, MAB_TIPO_IDENTIFICACAOs> {
public:
    void NewIdentificacao(const QString& pMTI_ID, const QString& pMTI_DESCRIPTION,
                          const QString& pMTI_DEFAULT, const QString& pMTI_ASSEMBLY_NAME_BUILDER,
                          const QString& pMTI_FULLNAME_CLASS, const QString& pMTI_STATUS);
    std::shared_ptr<MAB_TIPO_IDENTIFICACAOs> Query_MTI_STATUS(const QString& valor) const;
};

class TABULON_API MAB_TIPO_PERIODICIDADEs : public Colecao<MAB_TIPO_PERIODICIDADE, MAB_TIPO_PERIODICIDADEs> {
public:
    void NewPeriodicidade(const QString& pMTP_ID, const QString& pMTP_DESCRIPTION,
                          const QString& pMTP_DEFAULT, const QString& pMTP_ASSEMBLY_NAME_BUILDER,
                          const QString& pMTP_FULLNAME_CLASS, const QString& pMTP_STATUS,
                          const QString& pMTP_TGE_TIP_TAB);
    // Keeps every record whose non-empty MTP_ID occurs anywhere inside valores ("1,3,4").
    std::shared_ptr<MAB_TIPO_PERIODICIDADEs> Query_MTP_ID(const QString& valores) const;
};

class TABULON_API MAB_TIPO_RECEITAs : public Colecao<MAB_TIPO_RECEITA, MAB_TIPO_RECEITAs> {
public:
    void NewReceita(const QString& pMTR_TIP_RECEITA, const QString& pMTR_DESCRICAO);
    std::shared_ptr<MAB_TIPO_RECEITAs> Query_MTR_TIP_RECEITA(const QString& valor) const;
};

class TABULON_API MAB_VALIDA_DOCs : public Colecao<MAB_VALIDA_DOC, MAB_VALIDA_DOCs> {
public:
    void NewValida_Doc(const QString& pMVD_MCR_COD_RCTA, const QString& pMVD_TIPO_DOCUMENTO,
                       const QString& pMVD_DOCUMENTO, const QString& pMVD_REFERENCIA,
                       const QString& pMVD_VENCIMENTO, const QString& pMVD_MFO_ID,
                       const QString& pMVD_MCR_TIP_VALIDA, const QString& pMVD_PERM_MODIF,
                       const QString& pMVD_CLASSE_VECTO, const QString& pMVD_MUNIC,
                       const QString& pMVD_PERM_EMISS_ON_LINE, const QString& pMVD_PERM_EMISS_OFF_LINE,
                       const QString& pMVD_PERM_EMISS_PF, const QString& pMVD_NOME,
                       const QString& pMVD_TELEFONE, const QString& pMVD_PERM_EMISS_TESOURO,
                       const QString& pMVD_TIP_CODIGO_BARRA_ON, const QString& pMVD_TIP_CODIGO_BARRA_OFF);
    // Only the first rule record of the revenue decides.
    bool Valida_PERM_EMISS_OFF_LINE(const QString& pMVD_MCR_COD_RCTA,
                                    const QString& pMVD_PERM_EMISS_OFF_LINE) const noexcept;
    std::shared_ptr<MAB_VALIDA_DOCs> Query_MVD_MCR_COD_RCTA(const QString& valor) const;
    std::shared_ptr<MAB_VALIDA_DOCs> Query_MVD_CLASSE_VECTO(const QString& valor) const;
};

class TABULON_API TAB_CERT_ANTIGAs : public Colecao<TAB_CERT_ANTIGA, TAB_CERT_ANTIGAs> {
public:
    void NewCert_Antiga(const QString& pTCN_ID);
    std::shared_ptr<TAB_CERT_ANTIGAs> Query_TCN_ID(const QString& valor) const;
};

class TABULON_API PERIODOSs : public Colecao<PERIODOS, PERIODOSs> {
public:
    void NewPeriodos(const QString& pTIPO_PERIODO, const QString& pCOD_PERIODO, const QString& pNOM_PERIODO);
    // Compares the codes as numbers; a code that is not a number makes the search return null.
    std::shared_ptr<PERIODOSs> Query_COD_PERIODO(const QString& valore) const;
    std::shared_ptr<PERIODOSs> Query_PERIODO(const QString& pCOD_PERIODO, const QString& pTIPO_PERIODO) const;
    std::shared_ptr<PERIODOSs> Query_TIPO_PERIODO(const QString& pTIPO_PERIODO) const;
};

class TABULON_API PARAMETROSs : public Colecao<PARAMETROS, PARAMETROSs> {
public:
    void NewParametros(const QString& pID, const QString& pDATA_VALIDADE, const QString& pVERSAO,
                       const QString& pCAPTION, const QString& pRECEITA_PADRAO);
};

class TABULON_API MAB_RECEITA_CLASSEs : public Colecao<MAB_RECEITA_CLASSE, MAB_RECEITA_CLASSEs> {
public:
    void NewReceitaClasse(const QString& pMRC_MCV_ID, const QString& pMRC_MCR_COD_RCTA,
                          const QString& pMRC_DT_VIGENCIA_INICIO, const QString& pMRC_DT_VIGENCIA_FIM);
    std::shared_ptr<MAB_RECEITA_CLASSEs> Query_MRC_MCV_ID(const QString& valor) const;
    std::shared_ptr<MAB_RECEITA_CLASSEs> Query_MRC_MCR_COD_RCTA(const QString& valor) const;
    // Whether the class is in force for the revenue during the period (dates as dd/mm/yyyy texts).
    bool CLASSE_EH_VALIDA(const QString& ID_Classe, const QString& Receita, const QString& PeriodoInicio,
                          const QString& PeriodoFim) const noexcept;
};

class TABULON_API mab_tipo_documentos : public Colecao<mab_tipo_documento, mab_tipo_documentos> {
public:
    void NewTipoDocumento(const QString& pMTDO_ID, const QString& pMTDO_DESCRICAO,
                          const QString& pMTDO_OBSERVACOES);
    // The first record with that identifier, or null.
    std::shared_ptr<mab_tipo_documento> Query_MTDO_ID(const QString& valor) const noexcept;
};

class CONTRIBUINTEs;

class TABULON_API ZOVs : public Colecao<ZOV, ZOVs> {
public:
    void NewZOV(const QString& pNUM_DOCUMENTO, const QString& pTIPO_DOCUMENTO_IDENT,
                const QString& pNUM_DOCUMENTO_IDENT, const QString& pCOD_RECEITA, const QString& pREFERENCIA,
                const QString& pNUM_DOCUMENTO_ORIGEM, const QString& pDATA_VENCIMENTO,
                const QString& pDATA_CALCULO, const QString& pVALOR_PRINCIPAL, const QString& pVALOR_JUROS,
                const QString& pVALOR_MULTA, const QString& pVALOR_CORRECAO, const QString& pVALOR_TOTAL,
                const QString& pDATA_ATUALIZACAO, const QString& pCOD_UF, const QString& pCOD_MUNICIPIO,
                const QString& pCOD_CLASSE_VECTO, const QString& pIMPRESSO);
    // Empties the ZOV file of the folder DirBase and the collection (header names stay), keeping the
    // previous file as ZOV_temp. The file is replaced atomically, never deleted first: on failure it
    // is left as it was, the collection too, and *mensagem receives the text the caller shows,
    // "Não foi possível remover itens:  " followed by the reason; false is returned.
    bool LimpaBase(const QString& DirBase, QString* mensagem = nullptr);
    // Replaces the record at position 0..Count; another position raises error 9.
    void Set_Item(qsizetype iIndice, RegistroPtr oZov);
    // The saved-document search, joined with the revenue of the document's code and with the
    // taxpayer of its identification number (of its own identification type when there is one).
    std::shared_ptr<ZOVs> Query_ZOV(const QString& pNUM_DOCUMENTO_IDENT, const QString& pRAZAO_SOCIAL,
                                    const QString& pMCR_MTR_TIP_RECEITA, const QString& pMCR_COD_RCTA,
                                    const ARREC_MAB_RECEITAs& oARREC_MAB_RECEITAs,
                                    const CONTRIBUINTEs& oCONTRIBUINTEs) const;
};

class TABULON_API CONTRIBUINTEs : public Colecao<CONTRIBUINTE, CONTRIBUINTEs> {
public:
    void NewContribuinte(const QString& pTIPO_DOCUMENTO, const QString& pDOCUMENTO_IDENTIFICACAO,
                         const QString& pRAZAO_SOCIAL, const QString& pNUM_DDD, const QString& pNUM_FONE);
    // As ZOVs::LimpaBase, on the CONTRIBUINTE file (backup CONTRIBUINTE_temp).
    bool LimpaBase(const QString& DirBase, QString* mensagem = nullptr);
    std::shared_ptr<CONTRIBUINTEs> Query_TIPO_DOCUMENTO(const QString& pTIPO_DOCUMENTO) const;
    // Substring search: 123 also finds 9123400; an empty argument keeps every taxpayer.
    std::shared_ptr<CONTRIBUINTEs>
    Query_DOCUMENTO_IDENTIFICACAO(const QString& pDOCUMENTO_IDENTIFICACAO) const;
    // The first taxpayer whose identification equals the number exactly, or null.
    std::shared_ptr<CONTRIBUINTE> primeiroComIdentificacao(const QString& numero) const noexcept;
};

} // namespace tabulon
