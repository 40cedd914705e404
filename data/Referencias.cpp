#include "data/Referencias.h"

#include "data/ArquivoDeTabela.h"
#include "data/ZovEnv_Simulator.h"
#include "tabulon/Init.h"

namespace zove {

Referencias::Referencias() = default;
Referencias::~Referencias() = default;

std::unique_ptr<Referencias>
Referencias::carregar(const QString& sDirDados,
                      const std::function<void(const QString&, qsizetype)>& aoCarregar) {
    auto refs = std::make_unique<Referencias>();
    refs->sDirDados = sDirDados;
    // Saves killed midway leave their temporary files; nothing else would ever remove them.
    removeTemporariosAbandonados(sDirDados);
    tabulon::Init init;
    init.sDiretorioDados(sDirDados);

    auto avisa = [&](const char* arquivo, const auto& colecao) {
        if (aoCarregar)
            aoCarregar(QString::fromLatin1(arquivo), colecao->Count());
    };
    // The order of loading is the order of start-up.
    refs->oTAB_MUNICs = init.CarregarMunicipio();
    avisa("TAB_MUNIC", refs->oTAB_MUNICs);
    refs->oMAB_CLASSE_VENCIMENTOs = init.CarregarMabClasseVencimento();
    avisa("mab_classe_vencimento", refs->oMAB_CLASSE_VENCIMENTOs);
    refs->oMAB_TIPO_RECEITAs = init.CarregarMabTipoReceita();
    avisa("mab_tipo_receita", refs->oMAB_TIPO_RECEITAs);
    refs->oMAB_TIPO_PERIODICIDADEs = init.CarregarMabTipoPeriodicidade();
    avisa("mab_tipo_periodicidade", refs->oMAB_TIPO_PERIODICIDADEs);
    refs->oPERIODOSs = init.CarregarPeriodos();
    avisa("PERIODOS", refs->oPERIODOSs);
    refs->oTAB_CERT_ANTIGAs = init.CarregarCertAntigas();
    avisa("TAB_CERT_ANTIGA", refs->oTAB_CERT_ANTIGAs);
    refs->oMAB_VALIDA_DOCs = init.CarregarMabValidaDoc();
    avisa("mab_valida_doc", refs->oMAB_VALIDA_DOCs);
    refs->oARREC_MAB_RECEITAs = init.CarregarReceita();
    avisa("mab_arrec", refs->oARREC_MAB_RECEITAs);
    refs->oZOVs = init.CarregarZOV();
    avisa("ZOV", refs->oZOVs);
    refs->oCONTRIBUINTEs = init.CarregarContribuinte();
    avisa("CONTRIBUINTE", refs->oCONTRIBUINTEs);
    refs->oMAB_TIPO_IDENTIFICACAOs = init.CarregarMabTipoIdentificacao();
    avisa("mab_tipo_identificacao", refs->oMAB_TIPO_IDENTIFICACAOs);
    refs->oPARAMETROSs = init.CarregarParametros();
    avisa("PARAMETROS", refs->oPARAMETROSs);
    refs->oMAB_RECEITA_CLASSEs = init.CarregarMabReceitaClasse();
    avisa("mab_receita_classe", refs->oMAB_RECEITA_CLASSEs);
    refs->omab_tipo_documentos = init.CarregarTipoDocumentoOrigem();
    avisa("mab_tipo_documento_origem", refs->omab_tipo_documentos);
    return refs;
}

ZovEnv_Simulator& Referencias::oZovEnv() {
    if (!m_zovEnv)
        m_zovEnv = std::make_unique<ZovEnv_Simulator>(*this);
    return *m_zovEnv;
}

} // namespace zove
