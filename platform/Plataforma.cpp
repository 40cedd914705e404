#include "platform/Plataforma.h"

#include "data/PastaDeDados.h"
#include "platform/AreaDeTrabalho.h"
#include "platform/ConfiguracaoRegional.h"
#include "platform/Configuracoes.h"
#include "platform/DialogosArquivo.h"
#include "platform/Impressora.h"
#include "platform/Mensagens.h"
#include "platform/VisualizadorAjuda.h"

#include <QString>

namespace zove {

PlataformaQt::PlataformaQt()
    : m_mensagens(std::make_unique<MensagensQt>()), m_dialogos(std::make_unique<DialogosArquivoQt>()),
      m_impressora(std::make_unique<ImpressoraQt>()), m_areaDeTrabalho(std::make_unique<AreaDeTrabalhoQt>()),
      m_configuracoes(std::make_unique<ConfiguracoesQt>()),
      m_regional(std::make_unique<ConfiguracaoRegionalQt>()),
      m_ajuda(std::make_unique<VisualizadorAjudaQt>()) {}

PlataformaQt::~PlataformaQt() = default;

void abreTabelaDeTaxas(const Plataforma& plataforma, QWidget* pai, const QString& pastaPrograma) {
    const QString pagina = arquivoEntregue(pastaPrograma, QStringLiteral("TaxasdeServicosEstaduais.htm"));
    if (!plataforma.areaDeTrabalho.abrirArquivo(pagina))
        plataforma.ajuda.mostrar(pai, pagina);
}

Plataforma PlataformaQt::plataforma() {
    return Plataforma{*m_mensagens,     *m_dialogos, *m_impressora, *m_areaDeTrabalho,
                      *m_configuracoes, *m_regional, *m_ajuda};
}

} // namespace zove
