#include "data/MarcasDeImpressao.h"

#include "data/ZovEnv_Simulator.h"

namespace zove {

MarcasDeImpressao::MarcasDeImpressao(ZovEnv_Simulator& fachada) : m_fachada(fachada) {
    m_desdeAUltimaGravacao.start();
}

void MarcasDeImpressao::registra(const QString& numero) {
    m_pendentes.append(numero);
    if (m_desdeAUltimaGravacao.elapsed() >= 1000)
        grava();
}

void MarcasDeImpressao::grava() {
    if (m_pendentes.isEmpty())
        return;
    const ResultadoAlteracao r = m_fachada.ZovMarcaImpressos(m_pendentes);
    if (r.ok) {
        m_pendentes.clear();
        m_erro.clear();
    } else {
        m_erro = r.erro;
    }
    m_desdeAUltimaGravacao.restart();
}

} // namespace zove
