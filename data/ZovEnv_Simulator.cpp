#include "data/ZovEnv_Simulator.h"

#include "data/Referencias.h"

namespace zove {

ZovEnv_Simulator::ZovEnv_Simulator(Referencias& refs) : m_refs(refs) {}

std::shared_ptr<tabulon::MAB_VALIDA_DOCs> ZovEnv_Simulator::ValidacaoReceitaSelectOne(const QString& codReceita) const {
    return m_refs.oMAB_VALIDA_DOCs->Query_MVD_MCR_COD_RCTA(codReceita);
}

} // namespace zove
