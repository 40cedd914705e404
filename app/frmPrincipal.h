#pragma once
// The main window. Loading it is the program's start-up: it loads every table of the data folder into
// the application-wide references, takes its caption from the parameter table and shows the notice
// window. Each time it becomes active it checks the regional settings and removes the barcode pictures
// printing left behind.
#include "platform/Plataforma.h"

#include <QDateTime>
#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QTimer;
class QToolBar;

namespace zove {

class FrmMensagem;
class Referencias;

class frmPrincipal : public QMainWindow {
    Q_OBJECT
public:
    // The windows the menus open. An entry whose window is not given stays disabled.
    struct Janelas {
        std::function<void(frmPrincipal&)> novoPreenchimento; // entry form for a new document
        std::function<void(frmPrincipal&)> abrirDocumento;    // saved-document search
        std::function<void(frmPrincipal&)> importarZove;      // batch import
        std::function<void(frmPrincipal&)> limparBase;
        std::function<void(frmPrincipal&)> importarCadastro;
        std::function<void(frmPrincipal&)> exportarCadastro;
    };

    // pastaPrograma: the folder of the program (help, fee table page, barcode pictures). pastaDados:
    // the data folder; empty means "Dados" inside the program folder.
    frmPrincipal(Plataforma plataforma, const QString& pastaPrograma, const QString& pastaDados = {},
                 Janelas janelas = {}, QWidget* parent = nullptr);
    ~frmPrincipal() override;

    // Loads the tables, sets the caption and the date, and readies the notice window, which comes up
    // over the client area once this window is on screen. On a load error shows the error's
    // description and returns false; nothing of the window is shown then.
    bool carregar();

    // Valid after a successful carregar().
    Referencias& referencias() const { return *m_referencias; }
    Plataforma& plataforma() { return m_plataforma; }
    const QString& sDirDados() const { return m_sDirDados; }
    const QString& pastaPrograma() const { return m_pastaPrograma; }
    const QString& VERSAO() const { return m_versao; }

    FrmMensagem* mensagem() const { return m_frmMensagem; }
    // Shows the notice window over the empty client area (never over the menus or the toolbar),
    // bringing it up again when it was closed. After carregar() the notice comes up by itself once
    // this window is on screen.
    void mostrarMensagem();

    // Sizes the window to fit the free area of its screen and centres it there.
    void posicionaNaTela();
    // The window's rectangle (without the frame) on a screen whose free area is `disponivel`: the
    // preferred size, shrunk so that the frame `moldura` fits too, centred.
    static QRect geometriaInicial(const QRect& disponivel, const QMargins& moldura);
    // Where the notice's frame goes: centred on the client area `area`, its top never above the
    // area's top and its left never left of the area's left.
    static QPoint posicaoDoAviso(const QRect& area, const QSize& tamanhoComMoldura);

    // What happens each time the window becomes active: the regional settings test (ending the program
    // when it fails) and the clean-up of barcode pictures.
    void aoAtivar();

    // The time source of the status bar (tests fix it).
    void definirRelogio(std::function<QDateTime()> relogio);
    // What ending the program means (the program quits its event loop; tests record the call).
    void definirEncerramento(std::function<void(int)> encerrar);

    // Controls, named as the users' documentation names them.
    QMenu* mnuZOV;
    QAction* mnuEmissaoZOV;
    QAction* mnuManutencaoZOV;
    QAction* mnuSeparador;
    QAction* mnuImportar;
    QMenu* mnuManutencao;
    QAction* mnuImpressora;
    QAction* im_LimpaBaseDados;
    QAction* imSep;
    QAction* im_ImportCadastro;
    QAction* im_ExportCadastro;
    QMenu* mnuAjuda;
    QAction* mnuAjudaII;
    QAction* mnu_TabelaDeTaxas;
    QMenu* mnuFim;
    QAction* mnuSairSistema;
    QToolBar* Toolbar1;
    QStatusBar* StatusBar1;
    QMdiArea* areaDocumentos;
    QTimer* tmrRelogio;

    // Status bar panels 1 to 4.
    QLabel* painel(int indice) const;

    static const QString MensagemRegional;

protected:
    bool event(QEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void montaMenus();
    void montaBarraDeFerramentas();
    void montaBarraDeStatus();
    void ligaJanela(QAction* acao, const std::function<void(frmPrincipal&)>& janela);
    void abreJanela(const std::function<void(frmPrincipal&)>& janela);
    void apagaImagens();
    void configurarImpressora();
    void abrirAjuda();
    void abrirTabelaDeTaxas();
    void atualizaHora();

    Plataforma m_plataforma;
    QString m_pastaPrograma;
    QString m_sDirDados;
    Janelas m_janelas;
    std::unique_ptr<Referencias> m_referencias;
    QString m_versao;
    FrmMensagem* m_frmMensagem = nullptr;
    bool m_avisoPendente = false; // the notice waits for this window to be on screen
    QLabel* m_paineis[4] = {};
    std::function<QDateTime()> m_relogio;
    std::function<void(int)> m_encerrar;
    bool m_encerrando = false;
};

} // namespace zove
