// The preview window and the print run, through its real controls, with recording platform doubles.
#include "printing/frmVisualizacao.h"
#include "barcode/DesenhoCodigoBarras.h"
#include "data/Referencias.h"
#include "data/ZovEnv_Simulator.h"
#include "platform/PlataformaDeTeste.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QDir>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zove;
using Resposta = Mensagens::Resposta;

namespace {

const QString Codigo = QStringLiteral("85600000001234500241234567890123456789012345");
const QString Falha =
    QStringLiteral("Ocorreu algum erro na impressão, no documento %1 Verifique se a impressora está "
                   "conectada e ativa");

class Visualizacao : public ::testing::Test {
protected:
    void SetUp() override {
        refs = Referencias::carregar(dadosPasta.caminho());
        const auto r = refs->oZovEnv().ZOVInsert(
            QStringLiteral("1228"), QStringLiteral("10/12/2026"), QStringLiteral("31/12/2026"), QString(),
            QStringLiteral("12345678909"), QStringLiteral("0"), QStringLiteral("200603"), QStringLiteral("3"),
            QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1234.5"),
            QStringLiteral("1234.5"), QStringLiteral("0"), QStringLiteral("0"));
        ASSERT_TRUE(r.ok) << r.erro.toStdString();
        numero = r.numDocumento;
        plat.impressora.bSemImpressora = true;
        janela = std::make_unique<frmVisualizacao>(plat.plataforma(), *refs);
        janela->setPastaCodigoBarras(barras.path());
        janela->setPastaDocumentos(documentos.path());
        janela->setRelogio([] { return QDateTime(QDate(2026, 12, 10), QTime(14, 30, 5)); });
        DadosImpressao d;
        d.p_num_documento = numero;
        d.CodigoBarra = Codigo;
        d.CodigoBarraVisualizado = QStringLiteral("85600000001-2 23450024123-4 45678901234-5 67890123451-6");
        d.RazaoSocial = QStringLiteral("JOSE DA SILVA");
        d.ValorTotal = QStringLiteral("1.234,50");
        janela->setDados(d);
    }

    QString impresso() const {
        for (const auto& z : *refs->oZOVs)
            if (z->NUM_DOCUMENTO == numero)
                return z->IMPRESSO;
        return QStringLiteral("<sem documento>");
    }
    QStringList arquivosEmDocumentos() const { return QDir(documentos.path()).entryList(QDir::Files); }
    QString arquivoBarras() const { return arquivoCodigoBarras(Codigo, barras.path()); }

    teste::PastaDados dadosPasta;
    std::unique_ptr<Referencias> refs;
    teste::PlataformaDeTeste plat;
    QTemporaryDir barras;
    QTemporaryDir documentos;
    std::unique_ptr<frmVisualizacao> janela;
    QString numero;
};

// First dark row of a pixel column of the preview picture; -1 when none.
int primeiraLinhaEscura(const QImage& img, int x) {
    for (int y = 0; y < img.height(); ++y)
        if (qGray(img.pixel(x, y)) < 128)
            return y;
    return -1;
}

} // namespace

TEST_F(Visualizacao, SemImpressoraGravaOPdfPeloNumeroEMarcaImpresso) {
    for (Resposta resposta : {Resposta::Nao, Resposta::Sim}) {
        SCOPED_TRACE(resposta == Resposta::Sim ? "abrir" : "não abrir");
        plat.mensagens.pedidos.clear();
        plat.mensagens.respostas = {resposta};
        janela->preparaCodigoBarras();
        ASSERT_TRUE(janela->Imprimir());
        const QString esperado = QDir(documentos.path()).filePath(QStringLiteral("ZOVE_%1.pdf").arg(numero));
        EXPECT_EQ(janela->arquivoPdf(), esperado);
        // Only the finished file: the temporary one was renamed.
        EXPECT_EQ(arquivosEmDocumentos(), QStringList{QFileInfo(esperado).fileName()});
        EXPECT_TRUE(teste::leArquivo(esperado).startsWith("%PDF"));
        EXPECT_EQ(impresso(), QStringLiteral("1"));

        janela->mostraSucesso(nullptr);
        ASSERT_EQ(plat.mensagens.pedidos.size(), 1);
        const auto& pedido = plat.mensagens.pedidos[0];
        EXPECT_TRUE(pedido.texto.startsWith(QStringLiteral("Impressão efetuada com sucesso!")));
        EXPECT_TRUE(pedido.texto.contains(QDir::toNativeSeparators(esperado)));
        // Enter answers No: the clerk is not sent to a viewer after every document.
        EXPECT_EQ(pedido.botoes, Mensagens::Botoes::SimNaoPadraoNao);
        EXPECT_EQ(pedido.titulo, QStringLiteral("Aviso"));
        EXPECT_EQ(plat.areaDeTrabalho.arquivos,
                  resposta == Resposta::Sim ? QStringList{esperado} : QStringList{});
    }
}

TEST_F(Visualizacao, DocumentoNaoSalvoNomeiaOPdfPelaDataEHoraENadaMarca) {
    DadosImpressao d = janela->dados();
    d.p_num_documento = QStringLiteral("0");
    janela->setDados(d);
    const QByteArray zovAntes = teste::leArquivo(dadosPasta.arquivo(QStringLiteral("ZOV")));
    janela->preparaCodigoBarras();
    ASSERT_TRUE(janela->Imprimir());
    EXPECT_EQ(arquivosEmDocumentos(), QStringList{QStringLiteral("ZOVE_20261210_143005.pdf")});
    EXPECT_EQ(teste::leArquivo(dadosPasta.arquivo(QStringLiteral("ZOV"))), zovAntes);
}

TEST_F(Visualizacao, ExecucaoIncompletaAvisaNaoMarcaENaoDeixaArquivo) {
    // No bar bitmap: the page cannot be drawn.
    ASSERT_FALSE(janela->Imprimir());
    ASSERT_EQ(plat.mensagens.pedidos.size(), 1);
    EXPECT_EQ(plat.mensagens.pedidos[0].texto, Falha.arg(numero));
    EXPECT_EQ(plat.mensagens.pedidos[0].titulo, QStringLiteral("Aviso"));
    EXPECT_EQ(plat.mensagens.pedidos[0].icone, Mensagens::Icone::Informacao);
    EXPECT_TRUE(arquivosEmDocumentos().isEmpty());
    EXPECT_NE(impresso(), QStringLiteral("1"));
    EXPECT_TRUE(janela->arquivoPdf().isEmpty());

    // A printer the painter cannot begin on.
    plat.mensagens.pedidos.clear();
    plat.impressora.bSemImpressora = false;
    QPrinter& impressora = plat.impressora.printer();
    impressora.setOutputFormat(QPrinter::PdfFormat);
    impressora.setOutputFileName(QStringLiteral("/nao/existe/pasta/zove.pdf"));
    janela->preparaCodigoBarras();
    ASSERT_FALSE(janela->Imprimir());
    ASSERT_EQ(plat.mensagens.pedidos.size(), 1);
    EXPECT_EQ(plat.mensagens.pedidos[0].texto, Falha.arg(numero));
    EXPECT_NE(impresso(), QStringLiteral("1"));
}

TEST_F(Visualizacao, ImpressoraCompletaMarcaEAvisaSemArquivo) {
    plat.impressora.bSemImpressora = false;
    QTemporaryDir saida;
    QPrinter& impressora = plat.impressora.printer();
    impressora.setOutputFormat(QPrinter::PdfFormat);
    impressora.setOutputFileName(saida.filePath(QStringLiteral("impressora.pdf")));
    janela->preparaCodigoBarras();
    ASSERT_TRUE(janela->Imprimir());
    EXPECT_TRUE(teste::leArquivo(saida.filePath(QStringLiteral("impressora.pdf"))).startsWith("%PDF"));
    EXPECT_EQ(impresso(), QStringLiteral("1"));
    EXPECT_TRUE(janela->arquivoPdf().isEmpty());
    janela->mostraSucesso(nullptr);
    ASSERT_EQ(plat.mensagens.pedidos.size(), 1);
    EXPECT_EQ(plat.mensagens.pedidos[0].texto, QStringLiteral("Impressão efetuada com sucesso!"));
    EXPECT_EQ(plat.mensagens.pedidos[0].botoes, Mensagens::Botoes::OK);
}

TEST_F(Visualizacao, MarcaQueNaoSeGravaEAvisadaDepoisDaImpressao) {
    refs->oZovEnv().defineGravador([](const QString&, const QByteArray&, QString* erro) {
        *erro = QStringLiteral("disco cheio");
        return false;
    });
    janela->preparaCodigoBarras();
    EXPECT_TRUE(janela->Imprimir()); // the page did print
    ASSERT_EQ(plat.mensagens.pedidos.size(), 1);
    EXPECT_TRUE(
        plat.mensagens.pedidos[0].texto.contains(QStringLiteral("foi impresso, mas não foi possível")));
    EXPECT_TRUE(plat.mensagens.pedidos[0].texto.contains(QStringLiteral("disco cheio")));
    EXPECT_EQ(plat.mensagens.pedidos[0].titulo, QStringLiteral("Erro"));
    EXPECT_NE(impresso(), QStringLiteral("1"));
}

TEST_F(Visualizacao, PreviaDesenhaAoAparecerERolaPorCopia) {
    EXPECT_EQ(janela->windowTitle(), QStringLiteral("Visualização da Impressão do ZOVE-OL"));
    auto* barra = janela->findChild<QScrollBar*>(QStringLiteral("vscBarra"));
    ASSERT_TRUE(barra);
    EXPECT_EQ(barra->minimum(), 0);
    EXPECT_EQ(barra->maximum(), 2);
    ASSERT_TRUE(janela->findChild<QWidget*>(QStringLiteral("pctZov")));
    EXPECT_EQ(janela->findChild<QPushButton*>(QStringLiteral("cmdImprimir"))->text(),
              QStringLiteral("Imprimir"));
    EXPECT_EQ(janela->findChild<QPushButton*>(QStringLiteral("cmdSair"))->text(), QStringLiteral("Sair"));

    janela->show();
    EXPECT_TRUE(QFileInfo::exists(arquivoBarras())); // drawn on the first activation
    // Column 25 mm crosses the top edge of the header frame: at 3 mm for the whole page, 2 mm when
    // copy 2 comes first, 5 mm for copy 3 alone.
    const int coluna = qRound(25 * 96 / 25.4);
    const std::pair<int, double> casos[] = {{0, 3}, {1, 2}, {2, 5}, {0, 3}};
    for (const auto& [posicao, topoMm] : casos) {
        barra->setValue(posicao);
        const QImage imagem = janela->pctZov->imagem();
        ASSERT_FALSE(imagem.isNull());
        EXPECT_NEAR(primeiraLinhaEscura(imagem, coluna), topoMm * 96 / 25.4, 1.5) << posicao;
    }

    // Shown again without a new load: nothing is redrawn, the bitmap is not written again.
    QFile::remove(arquivoBarras());
    janela->hide();
    janela->show();
    EXPECT_FALSE(QFileInfo::exists(arquivoBarras()));

    // Zoomed to fit, the page's width fills the picture.
    janela->resize(1000, 800);
    janela->findChild<QCheckBox*>(QStringLiteral("chkAjustar"))->setChecked(true);
    janela->preparaCodigoBarras();
    EXPECT_TRUE(janela->desenhaPrevia());
    EXPECT_EQ(janela->pctZov->imagem().width(), janela->pctZov->width());
    // A tall window shows more of the page: the picture fills the frame's height, not only 131 mm.
    janela->resize(700, 1000);
    QCoreApplication::processEvents();
    EXPECT_TRUE(janela->desenhaPrevia());
    const QImage alta = janela->pctZov->imagem();
    const double dpi = alta.dotsPerMeterX() * 0.0254;
    EXPECT_GT(alta.height(), qRound(frmVisualizacao::AlturaPreviaMm * dpi / 25.4) + 10);
    EXPECT_EQ(alta.height(), qMin(janela->pctZov->height(), qRound(297 * dpi / 25.4)));
    janela->hide();
}

TEST_F(Visualizacao, CadaCarregamentoMostraODocumentoAtual) {
    const QString outro = QStringLiteral("85600000009876500241234567890123456789012349");
    QStringList vistos;
    for (const QString& codigo : {Codigo, outro}) {
        DadosImpressao d = janela->dados();
        d.CodigoBarra = codigo;
        janela->setDados(d);
        QTimer::singleShot(0, janela.get(), [&] {
            vistos << (QFileInfo::exists(arquivoCodigoBarras(codigo, barras.path())) ? codigo : QString());
            QTest::mouseClick(janela->cmdSair, Qt::LeftButton);
        });
        janela->mostrar();
    }
    EXPECT_EQ(vistos, (QStringList{Codigo, outro}));
}

TEST_F(Visualizacao, NovoCarregamentoComecaDoTopoDaPagina) {
    auto* barra = janela->findChild<QScrollBar*>(QStringLiteral("vscBarra"));
    ASSERT_TRUE(barra);
    // The previous document was left showing copy 3 only.
    barra->setValue(2);
    const int coluna = qRound(25 * 96 / 25.4);
    int posicao = -1;
    int topo = -1;
    QTimer::singleShot(0, janela.get(), [&] {
        posicao = barra->value();
        topo = primeiraLinhaEscura(janela->pctZov->imagem(), coluna);
        QTest::mouseClick(janela->cmdSair, Qt::LeftButton);
    });
    janela->mostrar();
    EXPECT_EQ(posicao, 0);
    // The header frame of copy 1 starts 3 mm from the top.
    EXPECT_NEAR(topo, 3 * 96 / 25.4, 1.5);
}

// A printer object that, like the system's, finds out whether the machine has a printer only when it
// is first set up, and then falls back on a file of its own.
class ImpressoraQueDescobreAoCriar : public Impressora {
public:
    explicit ImpressoraQueDescobreAoCriar(QString arquivo) : m_arquivo(std::move(arquivo)) {}
    bool configurar(QWidget*) override { return false; }
    QPrinter& printer() override {
        if (!m_printer) {
            m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            m_printer->setOutputFormat(QPrinter::PdfFormat);
            m_printer->setOutputFileName(m_arquivo);
            m_sem = true;
        }
        return *m_printer;
    }
    bool semImpressora() const override { return m_sem; }
    QString arquivoPdf() const override { return m_arquivo; }
    // With no printer the run never reaches a queue.
    QString fila() override { return {}; }
    EstadoFila consultaFila(const QString&) override { return {}; }
    EnvioTrabalho enviaPdf(const QString&, const QByteArray&, const QString&, int) override {
        ADD_FAILURE() << "a run without a printer reached the queue";
        return {};
    }

private:
    QString m_arquivo;
    std::unique_ptr<QPrinter> m_printer;
    bool m_sem = false;
};

TEST_F(Visualizacao, PrimeiraImpressaoSemImpressoraJaVaiParaOPdfDoDocumento) {
    QTemporaryDir outra;
    const QString reserva = outra.filePath(QStringLiteral("ZOVE.pdf"));
    ImpressoraQueDescobreAoCriar impressora(reserva);
    Plataforma p = plat.plataforma();
    Plataforma comEla{p.mensagens,     p.dialogos, impressora, p.areaDeTrabalho,
                      p.configuracoes, p.regional, p.ajuda};
    frmVisualizacao v(comEla, *refs);
    v.setPastaCodigoBarras(barras.path());
    v.setPastaDocumentos(documentos.path());
    v.setDados(janela->dados());
    v.preparaCodigoBarras();

    ASSERT_TRUE(v.Imprimir());
    const QString esperado = QDir(documentos.path()).filePath(QStringLiteral("ZOVE_%1.pdf").arg(numero));
    EXPECT_EQ(v.arquivoPdf(), esperado);
    EXPECT_TRUE(teste::leArquivo(esperado).startsWith("%PDF"));
    EXPECT_FALSE(QFileInfo::exists(reserva));
    EXPECT_EQ(impresso(), QStringLiteral("1"));
    v.mostraSucesso(nullptr);
    ASSERT_EQ(plat.mensagens.pedidos.size(), 1);
    EXPECT_TRUE(plat.mensagens.pedidos[0].texto.contains(QDir::toNativeSeparators(esperado)));
}

TEST_F(Visualizacao, BotaoImprimirImprimeEAvisa) {
    janela->show();
    QTest::mouseClick(janela->cmdImprimir, Qt::LeftButton);
    EXPECT_EQ(impresso(), QStringLiteral("1"));
    ASSERT_EQ(plat.mensagens.pedidos.size(), 1);
    EXPECT_TRUE(
        plat.mensagens.pedidos[0].texto.startsWith(QStringLiteral("Impressão efetuada com sucesso!")));
    EXPECT_TRUE(janela->isVisible()); // the window stays open
    janela->hide();
}

TEST_F(Visualizacao, ErroAoAtivarMostraADescricaoEContinuaAberta) {
    janela->setPastaCodigoBarras(QStringLiteral("/nao/existe/pasta"));
    janela->show();
    ASSERT_EQ(plat.mensagens.pedidos.size(), 1);
    EXPECT_EQ(plat.mensagens.pedidos[0].titulo, QStringLiteral("Erro"));
    EXPECT_EQ(plat.mensagens.pedidos[0].icone, Mensagens::Icone::Critico);
    EXPECT_TRUE(plat.mensagens.pedidos[0].texto.contains(QStringLiteral("código de barras")));
    EXPECT_TRUE(janela->isVisible());
    janela->hide();
}

// The print run on a queue: what the spooler says decides whether the document counts as printed.
TEST_F(Visualizacao, FilaQueAceitaRecebeUmPdfEOTrabalhoMarcaImpresso) {
    plat.impressora.bSemImpressora = false;
    janela->preparaCodigoBarras();
    ASSERT_TRUE(janela->Imprimir());
    ASSERT_EQ(plat.impressora.trabalhos.size(), 1);
    EXPECT_EQ(plat.impressora.trabalhos[0].fila, QStringLiteral("fila-teste"));
    EXPECT_TRUE(plat.impressora.trabalhos[0].pdf.startsWith("%PDF"));
    EXPECT_EQ(janela->filaUsada(), QStringLiteral("fila-teste"));
    EXPECT_GT(janela->trabalho(), 0);
    EXPECT_EQ(impresso(), QStringLiteral("1"));
    EXPECT_TRUE(plat.mensagens.pedidos.isEmpty());
}

TEST_F(Visualizacao, FilaQueRecusaOuNaoExisteNaoMarcaEDizPorque) {
    struct Caso {
        const char* nome;
        EstadoFila estado;
        QString recusa;
        QString motivo;
    } casos[] = {
        {"não existe",
         {false, false, false, QStringLiteral("a fila \"fila-teste\" não existe"), {}},
         {},
         QStringLiteral("a fila \"fila-teste\" não existe")},
        {"rejeita",
         {true, false, false, QStringLiteral("a fila \"fila-teste\" não está aceitando trabalhos"), {}},
         {},
         QStringLiteral("não está aceitando trabalhos")},
        // The queue looked fine but refused the job when it came.
        {"recusa o trabalho",
         {true, true, false, {}, {}},
         QStringLiteral("a fila \"fila-teste\" não está aceitando trabalhos"),
         QStringLiteral("não está aceitando trabalhos")},
    };
    plat.impressora.bSemImpressora = false;
    janela->preparaCodigoBarras();
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        plat.mensagens.pedidos.clear();
        plat.impressora.estadoFila = c.estado;
        plat.impressora.recusa = c.recusa;
        EXPECT_FALSE(janela->Imprimir());
        EXPECT_TRUE(plat.impressora.trabalhos.isEmpty());
        ASSERT_EQ(plat.mensagens.pedidos.size(), 1);
        EXPECT_TRUE(plat.mensagens.pedidos[0].texto.startsWith(Falha.arg(numero)));
        EXPECT_TRUE(plat.mensagens.pedidos[0].texto.contains(c.motivo))
            << plat.mensagens.pedidos[0].texto.toStdString();
        EXPECT_TRUE(janela->motivoFalha().contains(c.motivo));
        EXPECT_EQ(janela->trabalho(), 0);
        EXPECT_NE(impresso(), QStringLiteral("1"));
    }
}

TEST_F(Visualizacao, FilaParadaOuMargensQueCortamPerguntamAntes) {
    plat.impressora.bSemImpressora = false;
    janela->preparaCodigoBarras();
    // A printer that cannot print 12.7 mm at the top and bottom and 6.35 mm at the sides.
    const QMarginsF largas(6.35, 12.7, 6.35, 12.7);
    const QString aviso = janela->avisoMargens(QStringLiteral("fila-teste"), largas);
    EXPECT_TRUE(aviso.contains(QStringLiteral("\"fila-teste\""))) << aviso.toStdString();
    EXPECT_TRUE(aviso.contains(QStringLiteral("em cima"))) << aviso.toStdString();
    EXPECT_TRUE(aviso.contains(QStringLiteral(" mm"))) << aviso.toStdString();
    EXPECT_TRUE(janela->avisoMargens(QStringLiteral("fila-teste"), QMarginsF(0, 0, 0, 0)).isEmpty());
    EXPECT_TRUE(janela->avisoMargens(QStringLiteral("fila-teste"), QMarginsF(3, 3, 3, 3)).isEmpty());

    struct Caso {
        const char* nome;
        EstadoFila estado;
        QString pergunta;
    } casos[] = {
        {"parada", {true, true, true, {}, {}}, QStringLiteral("está parada")},
        {"margens", {true, true, false, {}, largas}, QStringLiteral("não imprime junto às bordas")},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        plat.impressora.estadoFila = c.estado;
        plat.impressora.trabalhos.clear();
        // Não (also what Enter answers): nothing is sent.
        plat.mensagens.pedidos.clear();
        plat.mensagens.respostas = {Resposta::Nao};
        EXPECT_FALSE(janela->Imprimir());
        ASSERT_EQ(plat.mensagens.pedidos.size(), 1);
        EXPECT_TRUE(plat.mensagens.pedidos[0].texto.contains(c.pergunta));
        EXPECT_EQ(plat.mensagens.pedidos[0].botoes, Mensagens::Botoes::SimNaoPadraoNao);
        EXPECT_TRUE(plat.impressora.trabalhos.isEmpty());
        EXPECT_NE(impresso(), QStringLiteral("1"));
        // Sim: sent, and the same warning is not asked again for the next document of this window.
        plat.mensagens.pedidos.clear();
        plat.mensagens.respostas = {Resposta::Sim};
        EXPECT_TRUE(janela->Imprimir());
        EXPECT_TRUE(janela->Imprimir());
        EXPECT_EQ(plat.mensagens.pedidos.size(), 1);
        EXPECT_EQ(plat.impressora.trabalhos.size(), 2);
        EXPECT_EQ(impresso(), QStringLiteral("1"));
        (void)refs->oZovEnv().ZovUpdateImpreso(QStringLiteral("0"), numero);
    }
}
