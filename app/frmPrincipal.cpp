#include "app/frmPrincipal.h"

#include "app/Ambiente.h"
#include "app/FrmMensagem.h"
#include "barcode/DesenhoCodigoBarras.h"
#include "data/Referencias.h"
#include "platform/AreaDeTrabalho.h"
#include "platform/ConfiguracaoRegional.h"
#include "platform/Impressora.h"
#include "platform/Mensagens.h"
#include "platform/VisualizadorAjuda.h"
#include "tabulon/ErroExecucao.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

#include <algorithm>

// The icons are compiled into the program's static library; its resources must be registered by hand.
static void iniciaRecursos() {
    Q_INIT_RESOURCE(zove);
}

namespace zove {

const QString frmPrincipal::MensagemRegional = QStringLiteral(
    "Por favor, modifique sua configuração regional para Português (brasileiro), Número no formato "
    "(1.000,00) e Data no formato (dd/mm/aaaa)");

namespace {

const QLocale kBrasil(QLocale::Portuguese, QLocale::Brazil);

// Room for the window manager's title bar and borders before the real ones are known.
const QMargins kMolduraEstimada(6, 32, 6, 6);
// The size the window opens at when the screen has room for it.
const QSize kTamanhoPreferido(1000, 700);

QAction* item(QMenu* menu, const char* nome, const QString& texto, const QKeySequence& atalho = {}) {
    QAction* acao = menu->addAction(texto);
    acao->setObjectName(QLatin1String(nome));
    if (!atalho.isEmpty()) {
        acao->setShortcut(atalho);
        acao->setShortcutContext(Qt::WindowShortcut);
    }
    return acao;
}

QAction* separador(QMenu* menu, const char* nome) {
    QAction* acao = menu->addSeparator();
    acao->setObjectName(QLatin1String(nome));
    return acao;
}

} // namespace

frmPrincipal::frmPrincipal(Plataforma plataforma, const QString& pastaPrograma, const QString& pastaDados,
                           Janelas janelas, QWidget* parent)
    : QMainWindow(parent), m_plataforma(plataforma), m_pastaPrograma(QDir::cleanPath(pastaPrograma)),
      m_janelas(std::move(janelas)), m_relogio([] { return QDateTime::currentDateTime(); }),
      m_encerrar([this](int codigo) {
          // Ends at once: every window goes away and the event loop returns the code.
          const auto janelas = QApplication::topLevelWidgets();
          for (QWidget* w : janelas) {
              if (w != this)
                  w->hide();
          }
          hide();
          QCoreApplication::exit(codigo);
      }) {
    iniciaRecursos();
    setObjectName(QStringLiteral("frmPrincipal"));
    setWindowTitle(QString::fromLatin1(TituloPrograma));
    setWindowIcon(QIcon(QStringLiteral(":/zove/icones/zove.png")));
    m_sDirDados =
        pastaDados.isEmpty() ? m_pastaPrograma + QStringLiteral("/Dados") : QDir::cleanPath(pastaDados);

    // The empty frame behind every window; moving the mouse over it brings the notice back.
    areaDocumentos = new QMdiArea(this);
    areaDocumentos->setObjectName(QStringLiteral("areaDocumentos"));
    areaDocumentos->viewport()->setMouseTracking(true);
    areaDocumentos->viewport()->installEventFilter(this);
    setCentralWidget(areaDocumentos);

    montaMenus();
    montaBarraDeFerramentas();
    montaBarraDeStatus();
    posicionaNaTela();
}

QRect frmPrincipal::geometriaInicial(const QRect& disponivel, const QMargins& moldura) {
    const QSize extra(moldura.left() + moldura.right(), moldura.top() + moldura.bottom());
    const QSize tamanho = kTamanhoPreferido.boundedTo(disponivel.size() - extra).expandedTo(QSize(1, 1));
    QRect janela(QPoint(), tamanho + extra);
    janela.moveCenter(disponivel.center());
    // A screen smaller than the frame: keep the title bar on screen.
    janela.moveTopLeft(
        QPoint(std::max(janela.left(), disponivel.left()), std::max(janela.top(), disponivel.top())));
    return janela.marginsRemoved(moldura);
}

QPoint frmPrincipal::posicaoDoAviso(const QRect& area, const QSize& tamanhoComMoldura) {
    QRect aviso(QPoint(), tamanhoComMoldura);
    aviso.moveCenter(area.center());
    return {std::max(aviso.left(), area.left()), std::max(aviso.top(), area.top())};
}

void frmPrincipal::posicionaNaTela() {
    const QScreen* tela = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!tela)
        return;
    setGeometry(geometriaInicial(tela->availableGeometry(), kMolduraEstimada));
}

frmPrincipal::~frmPrincipal() = default;

void frmPrincipal::montaMenus() {
    QMenuBar* barra = menuBar();

    mnuZOV = barra->addMenu(QStringLiteral("ZOVE"));
    mnuZOV->setObjectName(QStringLiteral("mnuZOV"));
    mnuEmissaoZOV = item(mnuZOV, "mnuEmissaoZOV", QStringLiteral("Novo Preenchimento"),
                         QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuManutencaoZOV = item(mnuZOV, "mnuManutencaoZOV", QStringLiteral("Abrir documento"),
                            QKeySequence(Qt::CTRL | Qt::Key_A));
    mnuSeparador = separador(mnuZOV, "mnuSeparador");
    mnuImportar = item(mnuZOV, "mnuImportar", QStringLiteral("Importar ZOVE"));

    mnuManutencao = barra->addMenu(QStringLiteral("Manutenção"));
    mnuManutencao->setObjectName(QStringLiteral("mnuManutencao"));
    mnuImpressora = item(mnuManutencao, "mnuImpressora", QStringLiteral("Configurar impressora"));
    im_LimpaBaseDados = item(mnuManutencao, "im_LimpaBaseDados", QStringLiteral("&Limpar base de dados"),
                             QKeySequence(Qt::CTRL | Qt::Key_D));
    imSep = separador(mnuManutencao, "imSep");
    im_ImportCadastro = item(mnuManutencao, "im_ImportCadastro",
                             QStringLiteral("&Importar cadastro de Contribuintes do ZOVE"));
    im_ExportCadastro = item(mnuManutencao, "im_ExportCadastro",
                             QStringLiteral("&Exportar cadastro de Contribuintes do ZOVE"));

    mnuAjuda = barra->addMenu(QStringLiteral("Ajuda"));
    mnuAjuda->setObjectName(QStringLiteral("mnuAjuda"));
    mnuAjudaII = item(mnuAjuda, "mnuAjudaII", QStringLiteral("Ajuda"));
    mnu_TabelaDeTaxas = item(mnuAjuda, "mnu_TabelaDeTaxas", QStringLiteral("&Tabela de Taxas"));

    mnuFim = barra->addMenu(QStringLiteral("Fim"));
    mnuFim->setObjectName(QStringLiteral("mnuFim"));
    mnuSairSistema = item(mnuFim, "mnuSairSistema", QStringLiteral("Sair do Sistema"));

    ligaJanela(mnuEmissaoZOV, m_janelas.novoPreenchimento);
    ligaJanela(mnuManutencaoZOV, m_janelas.abrirDocumento);
    ligaJanela(mnuImportar, m_janelas.importarZove);
    ligaJanela(im_LimpaBaseDados, m_janelas.limparBase);
    ligaJanela(im_ImportCadastro, m_janelas.importarCadastro);
    ligaJanela(im_ExportCadastro, m_janelas.exportarCadastro);
    connect(mnuImpressora, &QAction::triggered, this, &frmPrincipal::configurarImpressora);
    connect(mnuAjudaII, &QAction::triggered, this, &frmPrincipal::abrirAjuda);
    connect(mnu_TabelaDeTaxas, &QAction::triggered, this, &frmPrincipal::abrirTabelaDeTaxas);
    connect(mnuSairSistema, &QAction::triggered, this, &QWidget::close);
}

void frmPrincipal::ligaJanela(QAction* acao, const std::function<void(frmPrincipal&)>& janela) {
    acao->setEnabled(static_cast<bool>(janela));
    if (janela)
        connect(acao, &QAction::triggered, this, [this, janela] { abreJanela(janela); });
}

void frmPrincipal::abreJanela(const std::function<void(frmPrincipal&)>& janela) {
    janela(*this);
    // The window was modal: coming back here is an activation, whether or not the platform reports it.
    aoAtivar();
}

void frmPrincipal::montaBarraDeFerramentas() {
    Toolbar1 = addToolBar(QStringLiteral("Barra de ferramentas"));
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setIconSize(QSize(32, 32));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonIconOnly);

    struct Botao {
        const char* nome;
        const char* icone;
        QString dica;
        QAction* comoMenu;
    };
    const Botao botoes[] = {
        {"btnNovo", "novo", QStringLiteral("Preencher um novo documento"), mnuEmissaoZOV},
        {"btnAbrir", "abrir", QStringLiteral("Abrir documento salvo"), mnuManutencaoZOV},
        {"btnImportar", "importar", QStringLiteral("Importar ZOVE"), mnuImportar},
        {"btnImpressora", "impressora", QStringLiteral("Configurar Impressora"), mnuImpressora},
        {"btnAjuda", "ajuda", QStringLiteral("Ajuda"), nullptr},
        {"btnSair", "sair", QStringLiteral("Sair do programa"), mnuSairSistema},
    };
    for (const Botao& b : botoes) {
        QAction* acao = Toolbar1->addAction(
            QIcon(QStringLiteral(":/zove/icones/%1.png").arg(QLatin1String(b.icone))), b.dica);
        acao->setObjectName(QLatin1String(b.nome));
        acao->setToolTip(b.dica);
        if (b.comoMenu) {
            acao->setEnabled(b.comoMenu->isEnabled());
            connect(b.comoMenu, &QAction::enabledChanged, acao, &QAction::setEnabled);
            connect(acao, &QAction::triggered, b.comoMenu, &QAction::trigger);
        } else {
            // The help button offers the help menu where the mouse is.
            connect(acao, &QAction::triggered, this, [this] { mnuAjuda->popup(QCursor::pos()); });
        }
    }
}

void frmPrincipal::montaBarraDeStatus() {
    StatusBar1 = statusBar();
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(true);
    const QString textos[4] = {QStringLiteral("Governo do Estado de Ostral"), QStringLiteral("PYX"),
                               QString(), QString()};
    for (int i = 0; i < 4; ++i) {
        auto* painel = new QLabel(textos[i], StatusBar1);
        painel->setObjectName(QStringLiteral("Painel%1").arg(i + 1));
        painel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        painel->setContentsMargins(6, 0, 6, 0);
        if (i == 0)
            StatusBar1->addWidget(painel, 1);
        else
            StatusBar1->addPermanentWidget(painel);
        m_paineis[i] = painel;
    }
    m_paineis[2]->setMinimumWidth(90);
    m_paineis[3]->setMinimumWidth(60);
    m_paineis[2]->setAlignment(Qt::AlignCenter);
    m_paineis[3]->setAlignment(Qt::AlignCenter);

    tmrRelogio = new QTimer(this);
    tmrRelogio->setObjectName(QStringLiteral("tmrRelogio"));
    tmrRelogio->setInterval(1000);
    connect(tmrRelogio, &QTimer::timeout, this, &frmPrincipal::atualizaHora);
    atualizaHora();
    tmrRelogio->start();
}

QLabel* frmPrincipal::painel(int indice) const {
    return indice >= 1 && indice <= 4 ? m_paineis[indice - 1] : nullptr;
}

void frmPrincipal::definirRelogio(std::function<QDateTime()> relogio) {
    m_relogio = std::move(relogio);
    atualizaHora();
}

void frmPrincipal::definirEncerramento(std::function<void(int)> encerrar) {
    m_encerrar = std::move(encerrar);
}

void frmPrincipal::atualizaHora() {
    m_paineis[3]->setText(kBrasil.toString(m_relogio().time(), QStringLiteral("HH:mm")));
}

bool frmPrincipal::carregar() {
    try {
        m_referencias = Referencias::carregar(m_sDirDados);
        const auto& parametros = m_referencias->oPARAMETROSs;
        const auto registro = parametros->Item(1);
        m_versao = registro->VERSAO;
        setWindowTitle(registro->CAPTION + QStringLiteral(" VERSÃO ") + m_versao);
    } catch (const tabulon::ErroExecucao& erro) {
        m_referencias.reset();
        m_plataforma.mensagens.mostrar(nullptr, erro.Descricao(), Mensagens::Botoes::OK,
                                       Mensagens::Icone::Nenhum, QString::fromLatin1(TituloPrograma));
        return false;
    } catch (const std::exception& erro) {
        m_referencias.reset();
        m_plataforma.mensagens.mostrar(nullptr, QString::fromLocal8Bit(erro.what()), Mensagens::Botoes::OK,
                                       Mensagens::Icone::Nenhum, QString::fromLatin1(TituloPrograma));
        return false;
    }
    m_paineis[2]->setText(kBrasil.toString(m_relogio().date(), QStringLiteral("dd/MM/yyyy")));
    atualizaHora();
    m_frmMensagem =
        new FrmMensagem(m_plataforma.areaDeTrabalho, enderecoEmissaoOnline(m_plataforma.configuracoes), this);
    // Shown before this window is placed, the window manager would put the notice anywhere, over the
    // menus too; it waits for the first exposure.
    m_avisoPendente = true;
    if (windowHandle() && windowHandle()->isExposed()) {
        m_avisoPendente = false;
        mostrarMensagem();
    }
    return true;
}

void frmPrincipal::showEvent(QShowEvent* evento) {
    QMainWindow::showEvent(evento);
    if (windowHandle())
        windowHandle()->installEventFilter(this); // installing twice keeps one filter
}

void frmPrincipal::mostrarMensagem() {
    if (!m_frmMensagem) {
        m_frmMensagem = new FrmMensagem(m_plataforma.areaDeTrabalho,
                                        enderecoEmissaoOnline(m_plataforma.configuracoes), this);
    }
    if (!m_frmMensagem->isVisible()) {
        // The notice's frame is taken to be as thick as this window's own.
        const QRect fora = frameGeometry();
        const QRect dentro = geometry();
        const QMargins moldura(dentro.left() - fora.left(), dentro.top() - fora.top(),
                               fora.right() - dentro.right(), fora.bottom() - dentro.bottom());
        const QRect area(areaDocumentos->mapToGlobal(QPoint(0, 0)), areaDocumentos->size());
        m_frmMensagem->move(posicaoDoAviso(area, m_frmMensagem->size().grownBy(moldura)));
        m_frmMensagem->show();
    }
    // Some window managers offer to minimise any window; a minimised notice is visible to Qt but not
    // to the user.
    if (m_frmMensagem->isMinimized())
        m_frmMensagem->showNormal();
    m_frmMensagem->raise();
}

bool frmPrincipal::event(QEvent* evento) {
    const bool resultado = QMainWindow::event(evento);
    if (evento->type() == QEvent::WindowActivate)
        aoAtivar();
    return resultado;
}

void frmPrincipal::aoAtivar() {
    if (m_encerrando)
        return;
    if (!configuracoesRegionaisOK(m_plataforma.regional.locale())) {
        m_encerrando = true;
        m_plataforma.mensagens.mostrar(this, MensagemRegional, Mensagens::Botoes::OK,
                                       Mensagens::Icone::Informacao, QString::fromLatin1(TituloPrograma));
        m_encerrar(1);
        return;
    }
    apagaImagens();
}

void frmPrincipal::apagaImagens() {
    apagaImagensCodigoBarras(pastaImagensCodigoBarras());
    apagaImagensCodigoBarras(QDir::currentPath());
    apagaImagensCodigoBarras(m_pastaPrograma);
}

bool frmPrincipal::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == windowHandle() && evento->type() == QEvent::Expose && m_avisoPendente &&
        windowHandle()->isExposed()) {
        m_avisoPendente = false;
        // After the exposure has been handled, when the window's place is known.
        QTimer::singleShot(0, this, [this] {
            if (isVisible() && !m_encerrando)
                mostrarMensagem();
        });
    }
    if (objeto == areaDocumentos->viewport() && evento->type() == QEvent::MouseMove && !m_encerrando &&
        m_referencias) {
        if (!m_frmMensagem || !m_frmMensagem->isVisible() || m_frmMensagem->isMinimized())
            mostrarMensagem();
    }
    return QMainWindow::eventFilter(objeto, evento);
}

void frmPrincipal::closeEvent(QCloseEvent* evento) {
    apagaImagens();
    tmrRelogio->stop();
    if (m_frmMensagem)
        m_frmMensagem->close();
    evento->accept();
}

void frmPrincipal::configurarImpressora() {
    m_plataforma.impressora.configurar(this);
}

void frmPrincipal::abrirAjuda() {
    // Failures to show the help are not reported.
    m_plataforma.ajuda.mostrar(this, arquivoEntregue(m_pastaPrograma, QStringLiteral("ZOVE.html")));
}

void frmPrincipal::abrirTabelaDeTaxas() {
    abreTabelaDeTaxas(m_plataforma, this, m_pastaPrograma);
}

} // namespace zove
