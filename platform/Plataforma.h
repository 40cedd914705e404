#pragma once
// The platform services a window may need, handed to it through its constructor. The program passes
// the Qt implementations; tests pass recording doubles that answer the dialogs.
#include <memory>

class QString;
class QWidget;

namespace zove {

class AreaDeTrabalho;
class ConfiguracaoRegional;
class Configuracoes;
class DialogosArquivo;
class Impressora;
class Mensagens;
class VisualizadorAjuda;

struct Plataforma {
    Mensagens& mensagens;
    DialogosArquivo& dialogos;
    Impressora& impressora;
    AreaDeTrabalho& areaDeTrabalho;
    Configuracoes& configuracoes;
    ConfiguracaoRegional& regional;
    VisualizadorAjuda& ajuda;
};

// Opens the fee table page "TaxasdeServicosEstaduais.htm" delivered with the program (beside it, or in
// the installed package's shared folder) with the desktop's
// program for it; a machine without a desktop browser shows it in the help viewer. Nothing is reported.
void abreTabelaDeTaxas(const Plataforma& plataforma, QWidget* pai, const QString& pastaPrograma);

// Owns the Qt implementation of every service.
class PlataformaQt {
public:
    PlataformaQt();
    ~PlataformaQt();
    PlataformaQt(const PlataformaQt&) = delete;
    PlataformaQt& operator=(const PlataformaQt&) = delete;

    Plataforma plataforma();

private:
    std::unique_ptr<Mensagens> m_mensagens;
    std::unique_ptr<DialogosArquivo> m_dialogos;
    std::unique_ptr<Impressora> m_impressora;
    std::unique_ptr<AreaDeTrabalho> m_areaDeTrabalho;
    std::unique_ptr<Configuracoes> m_configuracoes;
    std::unique_ptr<ConfiguracaoRegional> m_regional;
    std::unique_ptr<VisualizadorAjuda> m_ajuda;
};

} // namespace zove
