// The Qt implementations of the platform services, checked without entering a modal loop.
#include "platform/Configuracoes.h"
#include "platform/DialogosArquivo.h"
#include "platform/Impressora.h"
#include "platform/Mensagens.h"
#include "platform/VisualizadorAjuda.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

using zove::Mensagens;
using zove::MensagensQt;

namespace {

QStringList textosDosBotoes(const QMessageBox& caixa) {
    QStringList textos;
    for (QAbstractButton* b : caixa.buttons())
        textos.append(b->text());
    textos.sort();
    return textos;
}

} // namespace

TEST(MensagensQt, MontaACaixaComTituloIconeTextoEBotoesEmPortugues) {
    struct Caso {
        Mensagens::Botoes botoes;
        Mensagens::Icone icone;
        QMessageBox::Icon iconeQt;
        QStringList textos; // sorted
        QMessageBox::StandardButton padrao;
        QMessageBox::StandardButton escape;
    };
    const Caso casos[] = {
        {Mensagens::Botoes::OK,
         Mensagens::Icone::Informacao,
         QMessageBox::Information,
         {"OK"},
         QMessageBox::Ok,
         QMessageBox::Ok},
        {Mensagens::Botoes::OK,
         Mensagens::Icone::Critico,
         QMessageBox::Critical,
         {"OK"},
         QMessageBox::Ok,
         QMessageBox::Ok},
        {Mensagens::Botoes::OK,
         Mensagens::Icone::Nenhum,
         QMessageBox::NoIcon,
         {"OK"},
         QMessageBox::Ok,
         QMessageBox::Ok},
        {Mensagens::Botoes::OKCancelar,
         Mensagens::Icone::Exclamacao,
         QMessageBox::Warning,
         {"Cancelar", "OK"},
         QMessageBox::Ok,
         QMessageBox::Cancel},
        {Mensagens::Botoes::SimNao,
         Mensagens::Icone::Pergunta,
         QMessageBox::Question,
         {"Não", "Sim"},
         QMessageBox::Yes,
         QMessageBox::No},
        {Mensagens::Botoes::SimNaoPadraoNao,
         Mensagens::Icone::Pergunta,
         QMessageBox::Question,
         {"Não", "Sim"},
         QMessageBox::No,
         QMessageBox::No},
        {Mensagens::Botoes::SimNaoCancelar,
         Mensagens::Icone::Pergunta,
         QMessageBox::Question,
         {"Cancelar", "Não", "Sim"},
         QMessageBox::Yes,
         QMessageBox::Cancel},
    };
    for (const Caso& c : casos) {
        auto caixa = MensagensQt::montaCaixa(nullptr, QStringLiteral("Texto <b>literal</b>"), c.botoes,
                                             c.icone, QStringLiteral("Aviso"));
        SCOPED_TRACE(c.textos.join(QLatin1Char(',')).toStdString());
        EXPECT_EQ(caixa->windowTitle(), QStringLiteral("Aviso"));
        EXPECT_EQ(caixa->text(), QStringLiteral("Texto <b>literal</b>"));
        EXPECT_EQ(caixa->textFormat(), Qt::PlainText);
        EXPECT_EQ(caixa->icon(), c.iconeQt);
        EXPECT_EQ(textosDosBotoes(*caixa), c.textos);
        EXPECT_EQ(caixa->defaultButton(), caixa->button(c.padrao));
        EXPECT_EQ(caixa->escapeButton(), caixa->button(c.escape));
    }
}

TEST(MensagensQt, OBotaoPressionadoViraAResposta) {
    EXPECT_EQ(MensagensQt::respostaDe(QMessageBox::Ok), Mensagens::Resposta::OK);
    EXPECT_EQ(MensagensQt::respostaDe(QMessageBox::Yes), Mensagens::Resposta::Sim);
    EXPECT_EQ(MensagensQt::respostaDe(QMessageBox::No), Mensagens::Resposta::Nao);
    EXPECT_EQ(MensagensQt::respostaDe(QMessageBox::Cancel), Mensagens::Resposta::Cancelar);
    // A box closed without any button counts as cancelled.
    EXPECT_EQ(MensagensQt::respostaDe(QMessageBox::NoButton), Mensagens::Resposta::Cancelar);
}

TEST(DialogosArquivoQt, ConverteOFiltroDePares) {
    const std::pair<const char*, const char*> casos[] = {
        {"Arquivo de Contribuinte do ZOVE (TXT)|*.txt", "Arquivo de Contribuinte do ZOVE (TXT) (*.txt)"},
        {"Texto|*.txt|Todos os arquivos|*.*", "Texto (*.txt);;Todos os arquivos (*.*)"},
        {"Lotes|*.txt;*.rem", "Lotes (*.txt *.rem)"},
        {"", ""},
    };
    for (const auto& [entrada, esperado] : casos)
        EXPECT_EQ(zove::DialogosArquivoQt::filtroQt(QString::fromUtf8(entrada)), QString::fromUtf8(esperado))
            << entrada;
}

TEST(DialogosArquivoQt, NomeDigitadoSemExtensaoGanhaADoFiltro) {
    const std::pair<const char*, const char*> casos[] = {
        {"Arquivo de Contribuinte do ZOVE (TXT)|*.txt", "txt"},
        {"Lotes|*.rem;*.txt", "rem"},
        {"Todos os arquivos|*.*", ""},
        {"Qualquer|*", ""},
        {"", ""},
    };
    for (const auto& [entrada, esperado] : casos)
        EXPECT_EQ(zove::DialogosArquivoQt::sufixoPadrao(QString::fromUtf8(entrada)),
                  QString::fromUtf8(esperado))
            << entrada;

    // The exported file must show up again under the import dialog's "*.txt" filter.
    QTemporaryDir dir;
    const auto dialogo = zove::DialogosArquivoQt::montaDialogoSalvar(
        nullptr, QStringLiteral("Exportação"), QStringLiteral("Arquivo de Contribuinte do ZOVE (TXT)|*.txt"),
        QString());
    dialogo->setOption(QFileDialog::DontUseNativeDialog);
    EXPECT_EQ(dialogo->acceptMode(), QFileDialog::AcceptSave);
    dialogo->setDirectory(dir.path());
    dialogo->selectFile(QStringLiteral("cadastro"));
    EXPECT_EQ(dialogo->selectedFiles(), QStringList{dir.filePath(QStringLiteral("cadastro.txt"))});
    // A name with its own extension keeps it.
    dialogo->selectFile(QStringLiteral("cadastro.dat"));
    EXPECT_EQ(dialogo->selectedFiles(), QStringList{dir.filePath(QStringLiteral("cadastro.dat"))});
}

TEST(ConfiguracoesQt, UmValorGravadoEstaLaNaProximaVez) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("PYXOL.ini"));
    {
        zove::ConfiguracoesQt c(ini);
        EXPECT_EQ(c.ler(QStringLiteral("ZOVE"), QStringLiteral("SalvarZOVE"), QStringLiteral("padrao")),
                  QStringLiteral("padrao"));
        c.gravar(QStringLiteral("ZOVE"), QStringLiteral("SalvarZOVE"), QStringLiteral("1"));
    }
    zove::ConfiguracoesQt outra(ini);
    EXPECT_EQ(outra.ler(QStringLiteral("ZOVE"), QStringLiteral("SalvarZOVE")), QStringLiteral("1"));
    // Sections keep their keys apart.
    EXPECT_EQ(outra.ler(QStringLiteral("OUTRA"), QStringLiteral("SalvarZOVE")), QString());
}

TEST(VisualizadorAjudaQt, MostraAPaginaEntregueSemBloquear) {
    zove::VisualizadorAjudaQt visualizador;
    const QString ajuda = QStringLiteral(ZOVE_BIN_DIR "/ZOVE.html");
    ASSERT_TRUE(visualizador.mostrar(nullptr, ajuda));
    QDialog* janela = visualizador.janela(ajuda);
    ASSERT_NE(janela, nullptr);
    EXPECT_TRUE(janela->isVisible());
    EXPECT_FALSE(janela->isModal());
    auto* texto = janela->findChild<QTextBrowser*>(QStringLiteral("txtAjuda"));
    ASSERT_NE(texto, nullptr);
    EXPECT_EQ(janela->windowTitle(), texto->documentTitle());
    EXPECT_EQ(texto->documentTitle(), QStringLiteral("Ajuda do ZOVE"));
    const QString conteudo = texto->toPlainText();
    EXPECT_TRUE(conteudo.contains(QStringLiteral("zove --verificar")));
    EXPECT_TRUE(conteudo.contains(QStringLiteral("Novo Preenchimento")));

    const QString taxas = QStringLiteral(ZOVE_BIN_DIR "/TaxasdeServicosEstaduais.htm");
    ASSERT_TRUE(visualizador.mostrar(nullptr, taxas));
    ASSERT_NE(visualizador.janela(taxas), nullptr);
    EXPECT_NE(visualizador.janela(taxas), janela);
    EXPECT_TRUE(visualizador.janela(taxas)->findChild<QTextBrowser*>()->toPlainText().contains(
        QStringLiteral("Ostral")));
}

TEST(VisualizadorAjudaQt, CadaDocumentoTemSeuInicioESeuHistorico) {
    QTemporaryDir dir;
    auto grava = [&](const char* nome, const char* html) {
        QFile f(dir.filePath(QLatin1String(nome)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(html);
    };
    grava("ajuda.html", "<html><title>Ajuda</title><body>indice <a href=\"cap1.html\">cap</a></body></html>");
    grava("cap1.html", "<html><title>Cap</title><body>capitulo um</body></html>");
    grava("taxas.htm", "<html><title>Taxas</title><body>tabela de taxas</body></html>");
    const QString ajuda = dir.filePath(QStringLiteral("ajuda.html"));
    const QString taxas = dir.filePath(QStringLiteral("taxas.htm"));

    struct Controles {
        QTextBrowser* texto;
        QPushButton* voltar;
        QPushButton* conteudo;
        QPushButton* fechar;
    };
    auto controles = [](QDialog* j) {
        return Controles{j->findChild<QTextBrowser*>(QStringLiteral("txtAjuda")),
                         j->findChild<QPushButton*>(QStringLiteral("cmdVoltar")),
                         j->findChild<QPushButton*>(QStringLiteral("cmdConteudo")),
                         j->findChild<QPushButton*>(QStringLiteral("cmdFechar"))};
    };

    zove::VisualizadorAjudaQt visualizador;
    // Help: follow a link, then close it with its button.
    ASSERT_TRUE(visualizador.mostrar(nullptr, ajuda));
    Controles a = controles(visualizador.janela(ajuda));
    a.texto->setSource(QUrl::fromLocalFile(dir.filePath(QStringLiteral("cap1.html"))));
    EXPECT_TRUE(a.voltar->isEnabled());
    QTest::mouseClick(a.fechar, Qt::LeftButton);

    // The fee table starts with no history, and its contents button stays on the fee table.
    ASSERT_TRUE(visualizador.mostrar(nullptr, taxas));
    Controles t = controles(visualizador.janela(taxas));
    EXPECT_FALSE(t.voltar->isEnabled());
    QTest::mouseClick(t.conteudo, Qt::LeftButton);
    EXPECT_TRUE(t.texto->toPlainText().contains(QStringLiteral("tabela de taxas")));
    EXPECT_FALSE(t.voltar->isEnabled());

    // Help again, while the fee table is open: its own first page, its own history.
    ASSERT_TRUE(visualizador.mostrar(nullptr, ajuda));
    a = controles(visualizador.janela(ajuda));
    EXPECT_TRUE(a.texto->toPlainText().contains(QStringLiteral("indice")));
    EXPECT_FALSE(a.voltar->isEnabled());
    a.texto->setSource(QUrl::fromLocalFile(dir.filePath(QStringLiteral("cap1.html"))));
    QTest::mouseClick(a.conteudo, Qt::LeftButton);
    EXPECT_TRUE(a.texto->toPlainText().contains(QStringLiteral("indice")));
    EXPECT_TRUE(t.texto->toPlainText().contains(QStringLiteral("tabela de taxas")));

    // Showing an open document again brings its window up as it stands.
    a.texto->setSource(QUrl::fromLocalFile(dir.filePath(QStringLiteral("cap1.html"))));
    ASSERT_TRUE(visualizador.mostrar(nullptr, ajuda));
    EXPECT_TRUE(a.texto->toPlainText().contains(QStringLiteral("capitulo um")));
    EXPECT_TRUE(a.voltar->isEnabled());
}

TEST(VisualizadorAjudaQt, UmaPaginaQueNaoExisteNaoAbreJanela) {
    zove::VisualizadorAjudaQt visualizador;
    const QString falta = QStringLiteral(ZOVE_BIN_DIR "/nao-existe.html");
    EXPECT_FALSE(visualizador.mostrar(nullptr, falta));
    EXPECT_EQ(visualizador.janela(falta), nullptr);
}

namespace {

// A home folder of its own for the test, so that anything created in it shows.
class CasaTemporaria {
public:
    CasaTemporaria() : m_home(qgetenv("HOME")), m_xdg(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("HOME", m_dir.path().toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
    }
    ~CasaTemporaria() {
        qputenv("HOME", m_home);
        if (m_xdg.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", m_xdg);
    }
    QStringList conteudo() const {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    QString caminho() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_home;
    QByteArray m_xdg;
};

} // namespace

TEST(ImpressoraQt, ConfigurarEscolheImpressoraEPaginaSemImprimirNemCriarNada) {
    CasaTemporaria casa;
    zove::ImpressoraQt impressora;
    QStringList textos;
    bool achou = false;
    // The dialog is modal: it is answered from inside its own loop.
    QTimer::singleShot(0, [&] {
        QWidget* dialogo = QApplication::activeModalWidget();
        if (!dialogo)
            return;
        for (QAbstractButton* b : dialogo->findChildren<QAbstractButton*>())
            textos.append(b->text());
        auto* papel = dialogo->findChild<QComboBox*>(QStringLiteral("cmbPapel"));
        auto* paisagem = dialogo->findChild<QRadioButton*>(QStringLiteral("optPaisagem"));
        auto* botoes = dialogo->findChild<QDialogButtonBox*>();
        achou =
            papel && paisagem && botoes && dialogo->findChild<QComboBox*>(QStringLiteral("cmbImpressora"));
        if (!achou) {
            static_cast<QDialog*>(dialogo)->reject();
            return;
        }
        papel->setCurrentIndex(papel->findText(QStringLiteral("Carta"), Qt::MatchStartsWith));
        paisagem->setChecked(true);
        QTest::mouseClick(botoes->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    const bool confirmado = impressora.configurar(nullptr);
    ASSERT_TRUE(achou) << textos.join(QStringLiteral(", ")).toStdString();
    EXPECT_TRUE(confirmado);
    for (const QString& t : textos) {
        EXPECT_FALSE(t.contains(QStringLiteral("Imprimir"), Qt::CaseInsensitive) ||
                     t.contains(QStringLiteral("Print"), Qt::CaseInsensitive))
            << t.toStdString();
    }
    const QPageLayout pagina = impressora.printer().pageLayout();
    EXPECT_EQ(pagina.pageSize().id(), QPageSize::Letter);
    EXPECT_EQ(pagina.orientation(), QPageLayout::Landscape);
    // Choosing settings wrote nothing, not even a documents folder for the PDF file.
    EXPECT_TRUE(casa.conteudo().isEmpty()) << casa.conteudo().join(QStringLiteral(", ")).toStdString();
    if (impressora.semImpressora()) {
        EXPECT_EQ(QFileInfo(impressora.arquivoPdf()).absolutePath(), casa.caminho());
    }
}

TEST(ImpressoraQt, CancelarNaoMudaNada) {
    CasaTemporaria casa;
    zove::ImpressoraQt impressora;
    QTimer::singleShot(0, [] {
        if (QWidget* dialogo = QApplication::activeModalWidget()) {
            if (auto* paisagem = dialogo->findChild<QRadioButton*>(QStringLiteral("optPaisagem")))
                paisagem->setChecked(true);
            static_cast<QDialog*>(dialogo)->reject();
        }
    });
    EXPECT_FALSE(impressora.configurar(nullptr));
    EXPECT_EQ(impressora.printer().pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_EQ(impressora.printer().pageLayout().pageSize().id(), QPageSize::A4);
}

// Whether the machine has a printer is known from the first question, before any print run set the
// printer object up; the PDF file used instead is named from then on too.
TEST(ImpressoraQt, SemImpressoraRespondeAntesDoPrimeiroUso) {
    CasaTemporaria casa;
    zove::ImpressoraQt impressora;
    const bool semImpressora = QPrinterInfo::defaultPrinter().isNull();
    EXPECT_EQ(impressora.semImpressora(), semImpressora);
    EXPECT_EQ(impressora.arquivoPdf().isEmpty(), !semImpressora);
    EXPECT_TRUE(casa.conteudo().isEmpty());
}
