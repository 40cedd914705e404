// The main window through its real controls, with recording doubles for every platform service.
#include "app/FrmMensagem.h"
#include "app/frmPrincipal.h"
#include "barcode/DesenhoCodigoBarras.h"
#include "data/Referencias.h"
#include "platform/PlataformaDeTeste.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>
#include <optional>

using zove::frmPrincipal;
using zove::Mensagens;

namespace {

const QString kPrefixoErroCarga = QStringLiteral(" Error Carregando Arquivo de Parametros, ");

void criaArquivo(const QString& caminho) {
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << caminho.toStdString();
    f.write("BM");
}

// Runs in a temporary current folder, as the program does when started from elsewhere.
class PastaCorrente {
public:
    PastaCorrente() : m_anterior(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~PastaCorrente() { QDir::setCurrent(m_anterior); }
    QString arquivo(const QString& nome) const { return m_dir.filePath(nome); }

private:
    QTemporaryDir m_dir;
    QString m_anterior;
};

class Principal : public ::testing::Test {
protected:
    std::unique_ptr<frmPrincipal> janela(frmPrincipal::Janelas janelas = {}) {
        auto w = std::make_unique<frmPrincipal>(plataforma.plataforma(), programa.path(), dados.caminho(),
                                                std::move(janelas));
        w->definirEncerramento([this](int codigo) { encerramentos.append(codigo); });
        return w;
    }

    void ativa(frmPrincipal& w) {
        QEvent ativacao(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&w, &ativacao);
    }

    // Activations clean the current folder: each test has its own.
    PastaCorrente corrente;
    teste::PastaDados dados;
    QTemporaryDir programa;
    teste::PlataformaDeTeste plataforma;
    QList<int> encerramentos;
};

} // namespace

TEST_F(Principal, TituloVemDoRegistroUmDosParametros) {
    teste::escreveTabela(dados.arquivo(QStringLiteral("PARAMETROS")),
                         {QStringLiteral("ID|DATA_VALIDADE|VERSAO|CAPTION|RECEITA_PADRAO"),
                          QStringLiteral("1|31/12/2099|3.1|ZOVE-OL|1554"),
                          QStringLiteral("2|31/12/2099|9.9|OUTRO|1554")},
                         true);
    auto w = janela();
    ASSERT_TRUE(w->carregar());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("ZOVE-OL VERSÃO 3.1"));
    EXPECT_EQ(w->VERSAO(), QStringLiteral("3.1"));
    EXPECT_TRUE(plataforma.mensagens.pedidos.isEmpty());
}

TEST_F(Principal, CarregaAsQuatorzeTabelasNasReferencias) {
    auto w = janela();
    ASSERT_TRUE(w->carregar());
    const zove::Referencias& r = w->referencias();
    EXPECT_EQ(r.sDirDados, dados.caminho());
    EXPECT_EQ(w->sDirDados(), dados.caminho());
    EXPECT_TRUE(r.oTAB_MUNICs && r.oMAB_CLASSE_VENCIMENTOs && r.oMAB_TIPO_RECEITAs &&
                r.oMAB_TIPO_PERIODICIDADEs && r.oPERIODOSs && r.oTAB_CERT_ANTIGAs && r.oMAB_VALIDA_DOCs &&
                r.oARREC_MAB_RECEITAs && r.oZOVs && r.oCONTRIBUINTEs && r.oMAB_TIPO_IDENTIFICACAOs &&
                r.oPARAMETROSs && r.oMAB_RECEITA_CLASSEs && r.omab_tipo_documentos);
    EXPECT_GE(r.oARREC_MAB_RECEITAs->Count(), 1);
    EXPECT_GE(r.oPARAMETROSs->Count(), 1);
}

TEST_F(Principal, SemPastaDeDadosIndicadaUsaDadosAoLadoDoPrograma) {
    frmPrincipal w(plataforma.plataforma(), programa.path());
    EXPECT_EQ(w.sDirDados(), programa.path() + QStringLiteral("/Dados"));
}

TEST_F(Principal, ErroNaCargaMostraADescricaoENaoMostraAJanela) {
    struct Caso {
        const char* nome;
        std::function<void(const teste::PastaDados&)> estraga;
        QString inicio;
    };
    const Caso casos[] = {
        {"mab_arrec with one character changed",
         [](const teste::PastaDados& d) {
             const QString caminho = d.arquivo(QStringLiteral("mab_arrec"));
             QByteArray bytes = teste::leArquivo(caminho);
             const qsizetype linha2 = bytes.indexOf('\n') + 1;
             bytes[linha2] = bytes[linha2] == 'X' ? 'Y' : 'X';
             teste::gravaArquivo(caminho, bytes);
         },
         kPrefixoErroCarga + QStringLiteral(" Arquivo Corrompido ")},
        {"PARAMETROS missing",
         [](const teste::PastaDados& d) { QFile::remove(d.arquivo(QStringLiteral("PARAMETROS"))); },
         kPrefixoErroCarga},
        {"PARAMETROS without records",
         [](const teste::PastaDados& d) {
             teste::escreveTabela(d.arquivo(QStringLiteral("PARAMETROS")),
                                  {QStringLiteral("ID|DATA_VALIDADE|VERSAO|CAPTION|RECEITA_PADRAO")}, true);
         },
         QStringLiteral("Subscrito fora do intervalo")},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        teste::PastaDados pasta;
        c.estraga(pasta);
        teste::PlataformaDeTeste p;
        frmPrincipal w(p.plataforma(), programa.path(), pasta.caminho());
        EXPECT_FALSE(w.carregar());
        ASSERT_EQ(p.mensagens.pedidos.size(), 1);
        const auto& m = p.mensagens.pedidos.first();
        EXPECT_TRUE(m.texto.startsWith(c.inicio)) << m.texto.toStdString();
        EXPECT_EQ(m.botoes, Mensagens::Botoes::OK);
        EXPECT_EQ(m.titulo, QStringLiteral("ZOVE"));
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(w.mensagem(), nullptr);
    }
}

TEST_F(Principal, MenusComLegendasNomesEAtalhos) {
    auto w = janela();
    struct Item {
        QAction* frmPrincipal::*membro;
        const char* nome;
        const char* legenda;
        const char* atalho;
    };
    struct Menu {
        QMenu* frmPrincipal::*membro;
        const char* nome;
        const char* titulo;
        std::vector<Item> itens;
    };
    const std::vector<Menu> menus = {
        {&frmPrincipal::mnuZOV,
         "mnuZOV",
         "ZOVE",
         {{&frmPrincipal::mnuEmissaoZOV, "mnuEmissaoZOV", "Novo Preenchimento", "Ctrl+N"},
          {&frmPrincipal::mnuManutencaoZOV, "mnuManutencaoZOV", "Abrir documento", "Ctrl+A"},
          {&frmPrincipal::mnuSeparador, "mnuSeparador", nullptr, ""},
          {&frmPrincipal::mnuImportar, "mnuImportar", "Importar ZOVE", ""}}},
        {&frmPrincipal::mnuManutencao,
         "mnuManutencao",
         "Manutenção",
         {{&frmPrincipal::mnuImpressora, "mnuImpressora", "Configurar impressora", ""},
          {&frmPrincipal::im_LimpaBaseDados, "im_LimpaBaseDados", "&Limpar base de dados", "Ctrl+D"},
          {&frmPrincipal::imSep, "imSep", nullptr, ""},
          {&frmPrincipal::im_ImportCadastro, "im_ImportCadastro",
           "&Importar cadastro de Contribuintes do ZOVE", ""},
          {&frmPrincipal::im_ExportCadastro, "im_ExportCadastro",
           "&Exportar cadastro de Contribuintes do ZOVE", ""}}},
        {&frmPrincipal::mnuAjuda,
         "mnuAjuda",
         "Ajuda",
         {{&frmPrincipal::mnuAjudaII, "mnuAjudaII", "Ajuda", ""},
          {&frmPrincipal::mnu_TabelaDeTaxas, "mnu_TabelaDeTaxas", "&Tabela de Taxas", ""}}},
        {&frmPrincipal::mnuFim,
         "mnuFim",
         "Fim",
         {{&frmPrincipal::mnuSairSistema, "mnuSairSistema", "Sair do Sistema", ""}}},
    };

    QList<QAction*> barra = w->menuBar()->actions();
    ASSERT_EQ(barra.size(), static_cast<qsizetype>(menus.size()));
    for (size_t m = 0; m < menus.size(); ++m) {
        const Menu& menu = menus[m];
        QMenu* qmenu = (*w).*(menu.membro);
        ASSERT_NE(qmenu, nullptr) << menu.nome;
        EXPECT_EQ(w->findChild<QMenu*>(QLatin1String(menu.nome)), qmenu) << menu.nome;
        EXPECT_EQ(barra[static_cast<qsizetype>(m)], qmenu->menuAction()) << menu.nome;
        EXPECT_EQ(qmenu->title(), QString::fromUtf8(menu.titulo));
        const QList<QAction*> acoes = qmenu->actions();
        ASSERT_EQ(acoes.size(), static_cast<qsizetype>(menu.itens.size())) << menu.nome;
        for (size_t i = 0; i < menu.itens.size(); ++i) {
            const Item& it = menu.itens[i];
            SCOPED_TRACE(it.nome);
            QAction* acao = (*w).*(it.membro);
            EXPECT_EQ(acoes[static_cast<qsizetype>(i)], acao);
            EXPECT_EQ(acao->objectName(), QLatin1String(it.nome));
            EXPECT_EQ(w->findChild<QAction*>(QLatin1String(it.nome)), acao);
            if (it.legenda) {
                EXPECT_FALSE(acao->isSeparator());
                EXPECT_EQ(acao->text(), QString::fromUtf8(it.legenda));
            } else {
                EXPECT_TRUE(acao->isSeparator());
            }
            EXPECT_EQ(acao->shortcut(), QKeySequence(QString::fromLatin1(it.atalho)));
        }
    }
}

TEST_F(Principal, EntradasDeJanelasAusentesFicamDesabilitadasEAsOutrasHabilitadas) {
    auto w = janela();
    for (QAction* a : {w->mnuEmissaoZOV, w->mnuManutencaoZOV, w->mnuImportar, w->im_LimpaBaseDados,
                       w->im_ImportCadastro, w->im_ExportCadastro})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    for (QAction* a : {w->mnuImpressora, w->mnuAjudaII, w->mnu_TabelaDeTaxas, w->mnuSairSistema})
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
    const QList<QAction*> botoes = w->Toolbar1->actions();
    ASSERT_EQ(botoes.size(), 6);
    const bool habilitados[] = {false, false, false, true, true, true};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(botoes[i]->isEnabled(), habilitados[i]) << "button " << i + 1;
}

TEST_F(Principal, BarraDeFerramentasComDicasEAcoesPorPosicao) {
    QStringList abertas;
    frmPrincipal::Janelas janelas;
    janelas.novoPreenchimento = [&](frmPrincipal&) { abertas.append(QStringLiteral("novo")); };
    janelas.abrirDocumento = [&](frmPrincipal&) { abertas.append(QStringLiteral("abrir")); };
    janelas.importarZove = [&](frmPrincipal&) { abertas.append(QStringLiteral("importar")); };
    auto w = janela(janelas);
    ASSERT_TRUE(w->carregar());
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));

    QToolBar* barra = w->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    ASSERT_EQ(barra, w->Toolbar1);
    const QList<QAction*> botoes = barra->actions();
    const char* dicas[] = {"Preencher um novo documento",
                           "Abrir documento salvo",
                           "Importar ZOVE",
                           "Configurar Impressora",
                           "Ajuda",
                           "Sair do programa"};
    ASSERT_EQ(botoes.size(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(botoes[i]->toolTip(), QString::fromUtf8(dicas[i]));
        EXPECT_FALSE(botoes[i]->icon().availableSizes().isEmpty()) << "button " << i + 1 << " has no picture";
        EXPECT_TRUE(botoes[i]->isEnabled()) << "button " << i + 1;
    }
    auto clica = [&](int i) { QTest::mouseClick(barra->widgetForAction(botoes[i]), Qt::LeftButton); };

    clica(0);
    clica(1);
    clica(2);
    EXPECT_EQ(abertas, (QStringList{"novo", "abrir", "importar"}));
    clica(3);
    EXPECT_EQ(plataforma.impressora.configuracoes, 1);

    clica(4);
    EXPECT_TRUE(w->mnuAjuda->isVisible());
    w->mnuAjuda->hide();

    clica(5);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(Principal, AtalhosDeTecladoAbremAsJanelas) {
    QStringList abertas;
    frmPrincipal::Janelas janelas;
    janelas.novoPreenchimento = [&](frmPrincipal&) { abertas.append(QStringLiteral("novo")); };
    janelas.abrirDocumento = [&](frmPrincipal&) { abertas.append(QStringLiteral("abrir")); };
    janelas.limparBase = [&](frmPrincipal&) { abertas.append(QStringLiteral("limpar")); };
    auto w = janela(janelas);
    ASSERT_TRUE(w->carregar());
    w->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->mensagem()->isVisible(); }, 2000));
    w->mensagem()->close();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    QTest::keyClick(w.get(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(w.get(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w.get(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(abertas, (QStringList{"novo", "abrir", "limpar"}));
}

TEST_F(Principal, BarraDeStatusComQuatroPaineis) {
    QDateTime agora(QDate(2005, 3, 7), QTime(14, 5, 30));
    auto w = janela();
    w->definirRelogio([&] { return agora; });
    ASSERT_TRUE(w->carregar());
    ASSERT_EQ(w->findChild<QStatusBar*>(QStringLiteral("StatusBar1")), w->StatusBar1);
    EXPECT_EQ(w->painel(1)->text(), QStringLiteral("Governo do Estado de Ostral"));
    EXPECT_EQ(w->painel(2)->text(), QStringLiteral("PYX"));
    EXPECT_EQ(w->painel(3)->text(), QStringLiteral("07/03/2005"));
    EXPECT_EQ(w->painel(4)->text(), QStringLiteral("14:05"));
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(w->painel(i)->parentWidget(), w->StatusBar1) << i;

    // The time panel follows the clock; the date panel keeps the start-up date.
    agora = QDateTime(QDate(2005, 3, 8), QTime(0, 1, 0));
    EXPECT_TRUE(w->tmrRelogio->isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->painel(4)->text() == QStringLiteral("00:01"); }, 5000));
    EXPECT_EQ(w->painel(3)->text(), QStringLiteral("07/03/2005"));
}

TEST_F(Principal, AvisoComTextosExatosEEnderecoDaPaginaOnline) {
    const QString endereco =
        QStringLiteral("http://intranet.pyx/tax.NET/Qor.Arrecadacao.Web/ZOVE_online/EmissaoZoveOnline.aspx");
    plataforma.configuracoes.gravar(QStringLiteral("ZOVE"), QStringLiteral("ServidorEmissaoOnline"),
                                    QStringLiteral("http://intranet.pyx"));
    auto w = janela();
    ASSERT_TRUE(w->carregar());
    zove::FrmMensagem* m = w->mensagem();
    ASSERT_NE(m, nullptr);
    w->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return m->isVisible(); }, 2000));
    EXPECT_FALSE(m->isModal());
    EXPECT_EQ(m->objectName(), QStringLiteral("FrmMensagem"));
    // A title and a close button; no minimise or maximise, and a size of its own.
    const Qt::WindowFlags flags = m->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(m->minimumSize(), m->maximumSize());
    for (QLabel* label : m->findChildren<QLabel*>())
        EXPECT_GE(m->height(), label->geometry().bottom()) << label->objectName().toStdString();
    const std::pair<const char*, const char*> textos[] = {
        {"Label1", "Prezado usuário,"},
        {"Label2",
         "As receitas 1554, 1570, 1589, 1651, 1724, 1740, 2127 e 7650 não estão mais disponíveis neste "
         "programa emissor de ZOVE."},
        {"Label3",
         "Para emitir documentos de arrecadação destas receitas utilize o serviço disponível no site da "
         "PYX."},
        {"Label4", "Você pode acessá-lo clicando no botão ou link abaixo:"},
    };
    for (const auto& [nome, texto] : textos) {
        auto* label = m->findChild<QLabel*>(QLatin1String(nome));
        ASSERT_NE(label, nullptr) << nome;
        EXPECT_EQ(label->text(), QString::fromUtf8(texto)) << nome;
    }
    ASSERT_EQ(m->findChild<QLabel*>(QStringLiteral("Label5")), m->Label5);
    EXPECT_TRUE(m->Label5->text().contains(QStringLiteral("href=\"%1\"").arg(endereco)));
    EXPECT_EQ(m->Label5->toolTip(), endereco);
    ASSERT_EQ(m->findChild<QPushButton*>(QStringLiteral("cmdAbrirPagina")), m->cmdAbrirPagina);
    EXPECT_EQ(m->cmdAbrirPagina->text(), QStringLiteral("Acessar Página"));

    QTest::mouseClick(m->cmdAbrirPagina, Qt::LeftButton);
    EXPECT_EQ(plataforma.areaDeTrabalho.enderecos, QStringList{endereco});
    // The link itself, where the label draws it.
    QTest::mouseClick(m->Label5, Qt::LeftButton, {},
                      QPoint(m->Label5->contentsRect().left() + 20, m->Label5->fontMetrics().height() / 2));
    EXPECT_EQ(plataforma.areaDeTrabalho.enderecos, (QStringList{endereco, endereco}));
}

TEST_F(Principal, MoverOMouseNaAreaVaziaMostraOAvisoDeNovo) {
    auto w = janela();
    ASSERT_TRUE(w->carregar());
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    w->mensagem()->close();
    ASSERT_FALSE(w->mensagem()->isVisible());
    QWidget* area = w->areaDocumentos->viewport();
    QTest::mouseMove(area, QPoint(40, 40));
    QTest::mouseMove(area, QPoint(60, 50));
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->mensagem()->isVisible(); }, 2000));

    // Minimised by the window manager, it comes back the same way.
    w->mensagem()->showMinimized();
    ASSERT_TRUE(w->mensagem()->isMinimized());
    QTest::mouseMove(area, QPoint(40, 40));
    QTest::mouseMove(area, QPoint(60, 50));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w->mensagem()->isMinimized(); }, 2000));
}

TEST_F(Principal, ConfiguracaoRegionalErradaMostraAMensagemEEncerra) {
    const QLocale erradas[] = {QLocale(QLocale::English, QLocale::UnitedStates),
                               QLocale(QLocale::English, QLocale::UnitedKingdom)};
    for (const QLocale& locale : erradas) {
        SCOPED_TRACE(locale.name().toStdString());
        teste::PlataformaDeTeste p;
        p.regional.valor = locale;
        QList<int> fim;
        frmPrincipal w(p.plataforma(), programa.path(), dados.caminho());
        w.definirEncerramento([&](int codigo) { fim.append(codigo); });
        ASSERT_TRUE(w.carregar());
        criaArquivo(programa.filePath(QStringLiteral("_barcode_1.bmp")));

        ativa(w);
        ASSERT_EQ(p.mensagens.pedidos.size(), 1);
        const auto& m = p.mensagens.pedidos.first();
        EXPECT_EQ(m.texto, QStringLiteral(
                               "Por favor, modifique sua configuração regional para Português (brasileiro), "
                               "Número no formato (1.000,00) e Data no formato (dd/mm/aaaa)"));
        EXPECT_EQ(m.icone, Mensagens::Icone::Informacao);
        EXPECT_EQ(m.botoes, Mensagens::Botoes::OK);
        EXPECT_EQ(m.titulo, QStringLiteral("ZOVE"));
        EXPECT_EQ(fim, QList<int>{1});
        // It ends at once: nothing else of the activation runs, and a second activation asks nothing.
        EXPECT_TRUE(QFile::exists(programa.filePath(QStringLiteral("_barcode_1.bmp"))));
        ativa(w);
        EXPECT_EQ(p.mensagens.pedidos.size(), 1);
        EXPECT_EQ(fim.size(), 1);
        QFile::remove(programa.filePath(QStringLiteral("_barcode_1.bmp")));
    }
}

TEST_F(Principal, ConfiguracaoRegionalBrasileiraNaoIncomoda) {
    auto w = janela();
    ASSERT_TRUE(w->carregar());
    ativa(*w);
    ativa(*w);
    EXPECT_TRUE(plataforma.mensagens.pedidos.isEmpty());
    EXPECT_TRUE(encerramentos.isEmpty());
}

TEST_F(Principal, AtivarEFecharApagamAsImagensNasDuasPastas) {
    const QString imagem = QStringLiteral("_barcode_85860000001234500000000000000000000000000000.bmp");
    const QString outro = QStringLiteral("barcode.bmp");
    // The program's own folder for them as well, where the barcode drawing writes them.
    const QString propria = QDir(zove::pastaImagensCodigoBarras()).filePath(imagem);
    auto cria = [&] {
        criaArquivo(propria);
        criaArquivo(corrente.arquivo(imagem));
        criaArquivo(programa.filePath(imagem));
        criaArquivo(corrente.arquivo(outro));
        criaArquivo(programa.filePath(outro));
    };
    auto confere = [&](const char* quando) {
        SCOPED_TRACE(quando);
        EXPECT_FALSE(QFile::exists(propria));
        EXPECT_FALSE(QFile::exists(corrente.arquivo(imagem)));
        EXPECT_FALSE(QFile::exists(programa.filePath(imagem)));
        EXPECT_TRUE(QFile::exists(corrente.arquivo(outro)));
        EXPECT_TRUE(QFile::exists(programa.filePath(outro)));
    };

    auto w = janela();
    ASSERT_TRUE(w->carregar());
    cria();
    ativa(*w);
    confere("activation");

    cria();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    w->mnuSairSistema->trigger();
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(w->mensagem()->isVisible());
    confere("close");
}

TEST_F(Principal, FecharAJanelaModalApagaAsImagensQueAImpressaoDeixou) {
    frmPrincipal::Janelas janelas;
    janelas.novoPreenchimento = [this](frmPrincipal& pai) {
        // The entry form printed: its barcode picture lies in the program folder.
        EXPECT_EQ(pai.pastaPrograma(), QDir::cleanPath(programa.path()));
        criaArquivo(
            programa.filePath(QStringLiteral("_barcode_12345678901234567890123456789012345678901234.bmp")));
    };
    auto w = janela(janelas);
    ASSERT_TRUE(w->carregar());
    w->mnuEmissaoZOV->trigger();
    EXPECT_FALSE(QFile::exists(
        programa.filePath(QStringLiteral("_barcode_12345678901234567890123456789012345678901234.bmp"))));
}

TEST_F(Principal, AjudaTabelaDeTaxasEImpressora) {
    auto w = janela();
    ASSERT_TRUE(w->carregar());
    const QString pasta = QDir::cleanPath(programa.path());

    w->mnuAjudaII->trigger();
    EXPECT_EQ(plataforma.ajuda.arquivos, QStringList{pasta + QStringLiteral("/ZOVE.html")});

    w->mnu_TabelaDeTaxas->trigger();
    EXPECT_EQ(plataforma.areaDeTrabalho.arquivos,
              QStringList{pasta + QStringLiteral("/TaxasdeServicosEstaduais.htm")});
    EXPECT_EQ(plataforma.ajuda.arquivos.size(), 1);

    // Without a desktop browser the page still shows, in the help viewer; nothing is reported.
    plataforma.areaDeTrabalho.resultado = false;
    w->mnu_TabelaDeTaxas->trigger();
    EXPECT_EQ(plataforma.ajuda.arquivos.last(), pasta + QStringLiteral("/TaxasdeServicosEstaduais.htm"));
    plataforma.ajuda.resultado = false;
    w->mnuAjudaII->trigger();
    EXPECT_TRUE(plataforma.mensagens.pedidos.isEmpty());

    w->mnuImpressora->trigger();
    EXPECT_EQ(plataforma.impressora.configuracoes, 1);
}

TEST_F(Principal, JanelaAbreCentradaEDoTamanhoDaTela) {
    // Free areas of screens, some with a panel; the frame of the window manager around the window.
    const QMargins moldura(5, 30, 5, 5);
    const QRect telas[] = {
        {0, 0, 1280, 1024}, {0, 0, 1280, 994}, {0, 28, 1024, 740}, {0, 0, 800, 600}, {1280, 0, 640, 480}};
    for (const QRect& tela : telas) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(tela.width()).arg(tela.height()).toStdString());
        const QRect janela = frmPrincipal::geometriaInicial(tela, moldura);
        const QRect comMoldura = janela.marginsAdded(moldura);
        EXPECT_TRUE(tela.contains(comMoldura));
        EXPECT_LE(std::abs((comMoldura.left() - tela.left()) - (tela.right() - comMoldura.right())), 1);
        EXPECT_LE(std::abs((comMoldura.top() - tela.top()) - (tela.bottom() - comMoldura.bottom())), 1);
        EXPECT_GE(janela.width(), std::min(tela.width() - 10, 1000));
        EXPECT_GE(janela.height(), std::min(tela.height() - 35, 700));
    }

    // The window itself, on the screen it is shown on.
    auto w = janela();
    ASSERT_TRUE(w->carregar());
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    const QRect tela = w->screen()->availableGeometry();
    const QRect fora = w->frameGeometry();
    EXPECT_TRUE(tela.contains(fora)) << fora.width() << "x" << fora.height() << "+" << fora.x() << "+"
                                     << fora.y();
    EXPECT_LE(std::abs(fora.center().x() - tela.center().x()), 40);
    EXPECT_LE(std::abs(fora.center().y() - tela.center().y()), 40);
}

TEST_F(Principal, AvisoApareceDepoisDaJanelaSobreAAreaVaziaNuncaSobreMenusOuBarra) {
    // Where the window stands: the screen's default, moved, and too small for the notice.
    const std::optional<QRect> lugares[] = {std::nullopt, QRect(150, 90, 700, 480), QRect(10, 20, 560, 300)};
    for (const auto& lugar : lugares) {
        SCOPED_TRACE(lugar ? lugar->width() : 0);
        auto w = janela();
        if (lugar)
            w->setGeometry(*lugar);
        ASSERT_TRUE(w->carregar());
        zove::FrmMensagem* m = w->mensagem();
        ASSERT_NE(m, nullptr);
        EXPECT_FALSE(m->isVisible()); // not before the main window is on screen
        w->show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return m->isVisible(); }, 2000));

        auto global = [](QWidget* widget) {
            return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
        };
        const QRect aviso = m->frameGeometry();
        const QRect menus = global(w->menuBar());
        const QRect barra = global(w->Toolbar1);
        const QRect area = global(w->areaDocumentos);
        EXPECT_FALSE(aviso.intersects(menus));
        EXPECT_FALSE(aviso.intersects(barra));
        EXPECT_GT(aviso.top(), menus.bottom());
        EXPECT_GT(aviso.top(), barra.bottom());
        EXPECT_GE(aviso.left(), area.left());
        if (aviso.height() <= area.height() && aviso.width() <= area.width()) {
            EXPECT_TRUE(area.contains(aviso));
        }

        // Closed and brought back by the mouse, it comes back to the same kind of place.
        m->close();
        QTest::mouseMove(w->areaDocumentos->viewport(), QPoint(30, 30));
        QTest::mouseMove(w->areaDocumentos->viewport(), QPoint(50, 40));
        ASSERT_TRUE(QTest::qWaitFor([&] { return m->isVisible(); }, 2000));
        EXPECT_GT(m->frameGeometry().top(), barra.bottom());
    }
}

TEST_F(Principal, PosicaoDoAvisoNaAreaVazia) {
    const QSize aviso(520, 260);
    struct {
        QRect area;
        QPoint esperado;
    } casos[] = {
        {{100, 200, 1000, 600}, {340, 370}}, // centred
        {{100, 200, 400, 200}, {100, 200}},  // larger than the area: held at its top left
        {{100, 200, 1000, 100}, {340, 200}}, // too short: top held, still centred across
    };
    for (const auto& c : casos)
        EXPECT_EQ(frmPrincipal::posicaoDoAviso(c.area, aviso), c.esperado)
            << c.area.x() << "," << c.area.y() << " " << c.area.width() << "x" << c.area.height();
}
