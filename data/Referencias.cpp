#include "data/Referencias.h"

#include "data/ArquivoDeTabela.h"
#include "data/ZovEnv_Simulator.h"
#include "tabulon/ErroExecucao.h"
#include "tabulon/Init.h"

#include <type_traits>
#include <utility>

namespace zove {

namespace {

// The start-up step of one table: the loader's collection goes into the member of the references.
template <auto membro, auto carregador> constexpr Referencias::Carga carga() {
    using Colecao =
        typename std::remove_cvref_t<decltype(std::declval<Referencias&>().*membro)>::element_type;
    return {Colecao::RegistroT::arquivo, [](const tabulon::Init& init, Referencias& refs) {
                refs.*membro = (init.*carregador)();
                return (refs.*membro)->Count();
            }};
}

} // namespace

Referencias::Referencias() = default;
Referencias::~Referencias() = default;

const std::array<Referencias::Carga, 14>& Referencias::cargas() {
    using R = Referencias;
    using tabulon::Init;
    static constexpr std::array<Carga, 14> lista{
        carga<&R::oTAB_MUNICs, &Init::CarregarMunicipio>(),
        carga<&R::oMAB_CLASSE_VENCIMENTOs, &Init::CarregarMabClasseVencimento>(),
        carga<&R::oMAB_TIPO_RECEITAs, &Init::CarregarMabTipoReceita>(),
        carga<&R::oMAB_TIPO_PERIODICIDADEs, &Init::CarregarMabTipoPeriodicidade>(),
        carga<&R::oPERIODOSs, &Init::CarregarPeriodos>(),
        carga<&R::oTAB_CERT_ANTIGAs, &Init::CarregarCertAntigas>(),
        carga<&R::oMAB_VALIDA_DOCs, &Init::CarregarMabValidaDoc>(),
        carga<&R::oARREC_MAB_RECEITAs, &Init::CarregarReceita>(),
        carga<&R::oZOVs, &Init::CarregarZOV>(),
        carga<&R::oCONTRIBUINTEs, &Init::CarregarContribuinte>(),
        carga<&R::oMAB_TIPO_IDENTIFICACAOs, &Init::CarregarMabTipoIdentificacao>(),
        carga<&R::oPARAMETROSs, &Init::CarregarParametros>(),
        carga<&R::oMAB_RECEITA_CLASSEs, &Init::CarregarMabReceitaClasse>(),
        carga<&R::omab_tipo_documentos, &Init::CarregarTipoDocumentoOrigem>(),
    };
    return lista;
}

std::unique_ptr<Referencias>
Referencias::carregar(const QString& sDirDados,
                      const std::function<void(const QString&, qsizetype)>& aoCarregar) {
    auto refs = std::make_unique<Referencias>();
    refs->sDirDados = sDirDados;
    // Saves killed midway leave their temporary files; nothing else would ever remove them.
    removeTemporariosAbandonados(sDirDados);
    tabulon::Init init;
    init.sDiretorioDados(sDirDados);
    for (const Carga& c : cargas()) {
        const qsizetype registros = c.carregar(init, *refs);
        if (aoCarregar)
            aoCarregar(QString::fromLatin1(c.arquivo), registros);
    }
    return refs;
}

std::unique_ptr<Referencias> Referencias::carregarParaComando(const QString& sDirDados, QTextStream& erros) {
    try {
        return carregar(sDirDados);
    } catch (const tabulon::ErroExecucao& e) {
        erros << "zove: " << e.Descricao() << '\n';
        return nullptr;
    }
}

ZovEnv_Simulator& Referencias::oZovEnv() {
    if (!m_zovEnv)
        m_zovEnv = std::make_unique<ZovEnv_Simulator>(*this);
    return *m_zovEnv;
}

} // namespace zove
