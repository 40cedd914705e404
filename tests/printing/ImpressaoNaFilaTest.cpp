// The print run end to end on a private CUPS scheduler: the entry form and the search window print
// through the real printer service, the spooler's queues decide, and what reached the queue is read
// back (a PDF of one A4 page whose bars scan to the document's number). The printed mark follows the
// spooler's answer only.
#include "app/FormularioDocumentoZOV.h"
#include "data/Referencias.h"
#include "entry/janelas/FrmZOV.h"
#include "platform/Impressora.h"
#include "platform/PlataformaDeTeste.h"
#include "printing/frmVisualizacao.h"
#include "search/FrmConsultaZOV.h"
#include "support/CupsPrivado.h"
#include "support/TestSupport.h"
#include "tabulon/Init.h"

#include "support/LeituraDeBarras.h"
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMap>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>
#include <poppler-document.h>
#include <poppler-image.h>
#include <poppler-page-renderer.h>
#include <poppler-page.h>
#include <zbar.h>

#include <cups/cups.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace zove;
using Resposta = Mensagens::Resposta;

namespace {

// Texts compared as std::string, so that a failure shows them as text.
std::string txt(const QString& s) {
    return s.toStdString();
}
std::string txt(const QStringList& l) {
    return l.join(QStringLiteral(" | ")).toStdString();
}

const QDate hoje(2025, 3, 14);
const QString kFila = QStringLiteral("zove");

// What the backend noted beside a job's data: "title", "copies", ...
QMap<QString, QString> detalhesDoTrabalho(const QString& arquivoDat) {
    QFile f(QFileInfo(arquivoDat).path() + QLatin1Char('/') + QFileInfo(arquivoDat).completeBaseName() +
            QStringLiteral(".info"));
    QMap<QString, QString> m;
    if (!f.open(QIODevice::ReadOnly))
        return m;
    for (const QString& linha : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        m.insert(linha.section(QLatin1Char('='), 0, 0), linha.section(QLatin1Char('='), 1));
    return m;
}

// The jobs the scheduler knows on a queue, finished or not: id and state.
QList<QPair<int, ipp_jstate_t>> trabalhosNaFila(const QString& fila) {
    cups_job_t* jobs = nullptr;
    const QByteArray nome = fila.toUtf8();
    const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nome.constData(), 0, CUPS_WHICHJOBS_ALL);
    QList<QPair<int, ipp_jstate_t>> r;
    for (int i = 0; i < n; ++i)
        r.append({jobs[i].id, jobs[i].state});
    cupsFreeJobs(n, jobs);
    return r;
}

// Deletes a queue from the scheduler, as an administrator removing a printer would.
bool removeFila(const teste::CupsPrivado& cups, const QString& fila) {
    QProcess lpadmin;
    lpadmin.setProcessChannelMode(QProcess::MergedChannels);
    lpadmin.start(QStringLiteral("/usr/sbin/lpadmin"),
                  {QStringLiteral("-h"), cups.socket(), QStringLiteral("-x"), fila});
    if (!lpadmin.waitForFinished(30000) || lpadmin.exitStatus() != QProcess::NormalExit ||
        lpadmin.exitCode() != 0) {
        ADD_FAILURE() << "lpadmin -x " << fila.toStdString() << ": " << lpadmin.readAll().toStdString();
        return false;
    }
    return true;
}

class ImpressaoNaFila : public ::testing::Test {
protected:
    void SetUp() override {
        QString porque;
        if (!teste::CupsPrivado::disponivel(&porque))
            GTEST_SKIP() << porque.toStdString();
        cups = std::make_unique<teste::CupsPrivado>();
        ASSERT_TRUE(cups->pronto()) << cups->erro().toStdString();
        ASSERT_TRUE(cups->criaFila(kFila)) << cups->erro().toStdString();
        ASSERT_TRUE(cups->definePadrao(kFila)) << cups->erro().toStdString();
        // Made only now, so that Qt's printer object finds the private scheduler's default queue.
        impressora = std::make_unique<ImpressoraQt>();
        ASSERT_FALSE(impressora->semImpressora());
        ASSERT_EQ(txt(impressora->fila()), txt(kFila));

        refs = Referencias::carregar(pasta.caminho());
        form = std::make_unique<FrmZOV>(*refs, plataforma(), [] { return hoje; });
        form->definirPastaImagens(imagens.path());
        form->visualizacao().setPastaDocumentos(documentos.path());
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        preenche();
    }

    // The recording doubles, but the real printer service.
    Plataforma plataforma() {
        const Plataforma p = plat.plataforma();
        return Plataforma{p.mensagens,     p.dialogos, *impressora, p.areaDeTrabalho,
                          p.configuracoes, p.regional, p.ajuda};
    }

    void escolhe(QComboBox* c, int codigo) {
        const int i = c->findData(codigo);
        ASSERT_GE(i, 0) << c->objectName().toStdString();
        c->setCurrentIndex(i);
        emit c->activated(i);
    }
    void digita(QLineEdit* campo, const QString& texto) {
        campo->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(campo, texto);
        QTest::keyClick(campo, Qt::Key_Tab);
    }
    // A complete document: revenue 1937 with name, telephone, originating document and municipality.
    void preenche() {
        escolhe(form->cmbTipoReceita, 3);
        escolhe(form->cmbReceita, 1937);
        escolhe(form->cmbTipoIdentificacao, 3);
        digita(form->txtIdentificacao, QStringLiteral("11144477735"));
        digita(form->txtDataVencimento, QStringLiteral("20032025"));
        digita(form->txtNome, QStringLiteral("maria"));
        digita(form->txtDDD, QStringLiteral("61"));
        digita(form->txtFone, QStringLiteral("32345678"));
        digita(form->txtNumDoctoOrigem, QStringLiteral("124"));
        escolhe(form->cmbMunicipio, form->cmbMunicipio->itemData(1).toInt());
        digita(form->txtValorPrincipal, QStringLiteral("1234,5"));
        ASSERT_TRUE(plat.mensagens.pedidos.isEmpty()) << plat.mensagens.pedidos[0].texto.toStdString();
    }

    // Saves the form's contents as a new document, answering Não to printing it; its number, or empty.
    QString salvaSemImprimir() {
        form->NumDocumento = 0;
        form->chkSalvarZOVE->setChecked(true);
        plat.mensagens.respostas = {Resposta::Nao};
        QTest::mouseClick(form->Imprimir, Qt::LeftButton);
        plat.mensagens.pedidos.clear();
        if (form->NumDocumento == 0) {
            ADD_FAILURE() << "the document was not saved";
            return {};
        }
        return QString::number(static_cast<qint64>(form->NumDocumento));
    }

    // Prints a saved document as a reprint does: loaded into the form, no preview, no confirmation.
    bool imprimeSalvo(const QString& numero) {
        form->NumDocumento = numero.toDouble();
        return form->ImprimirPantAnterior();
    }

    // The printed mark of each document as the file holds it.
    QMap<QString, QString> impressosNoArquivo() const {
        tabulon::Init init;
        init.sDiretorioDados(pasta.caminho());
        QMap<QString, QString> m;
        const auto zovs = init.CarregarZOV();
        for (const auto& z : *zovs)
            m.insert(z->NUM_DOCUMENTO, z->IMPRESSO);
        return m;
    }

    std::unique_ptr<teste::CupsPrivado> cups;
    teste::PastaDados pasta;
    QTemporaryDir imagens;
    QTemporaryDir documentos;
    teste::PlataformaDeTeste plat;
    std::unique_ptr<ImpressoraQt> impressora;
    std::unique_ptr<Referencias> refs;
    std::unique_ptr<FrmZOV> form;
};

} // namespace

// Saved and printed from the entry form: one job on the default queue, holding one A4 page whose copies
// 1 and 3 scan to the document's 44 digits; the document is marked printed only now.
TEST_F(ImpressaoNaFila, DocumentoImpressoChegaAFilaComoPdfLegivel) {
    form->chkSalvarZOVE->setChecked(true);
    plat.mensagens.respostas = {Resposta::Sim};
    QTest::mouseClick(form->Imprimir, Qt::LeftButton);

    ASSERT_EQ(plat.mensagens.pedidos.size(), 2) << plat.mensagens.pedidos.last().texto.toStdString();
    EXPECT_EQ(txt(plat.mensagens.pedidos[0].titulo), "Confirmar dados");
    EXPECT_EQ(txt(plat.mensagens.pedidos[1].texto), "Impressão efetuada com sucesso!");
    const frmVisualizacao& v = form->visualizacao();
    EXPECT_TRUE(v.arquivoPdf().isEmpty());
    EXPECT_EQ(txt(v.filaUsada()), txt(kFila));
    ASSERT_GT(v.trabalho(), 0);
    ASSERT_EQ(refs->oZOVs->Count(), 1);
    const QString numero = refs->oZOVs->Item(1)->NUM_DOCUMENTO;
    EXPECT_EQ(txt(v.p_num_documento()), txt(numero));
    const QString codigo = v.CodigoBarra();
    ASSERT_TRUE(QRegularExpression(QStringLiteral("^\\d{44}$")).match(codigo).hasMatch())
        << codigo.toStdString();
    EXPECT_EQ(txt(impressosNoArquivo().value(numero)), "1");

    ASSERT_TRUE(cups->esperaTrabalhos(kFila, 1)) << cups->erro().toStdString();
    const QStringList arquivos = cups->arquivosDeTrabalho(kFila);
    ASSERT_EQ(arquivos.size(), 1);
    EXPECT_EQ(txt(QFileInfo(arquivos[0]).fileName()), txt(QStringLiteral("job-%1.dat").arg(v.trabalho())));
    EXPECT_EQ(trabalhosNaFila(kFila).size(), 1);
    // The page carries the three copies: the queue prints it once.
    const auto detalhes = detalhesDoTrabalho(arquivos[0]);
    EXPECT_EQ(txt(detalhes.value(QStringLiteral("title"))), txt(QStringLiteral("ZOVE ") + numero));
    EXPECT_EQ(txt(detalhes.value(QStringLiteral("copies"))), "1");

    QFile f(arquivos[0]);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    ASSERT_TRUE(bytes.startsWith("%PDF-")) << bytes.left(16).toStdString();
    std::unique_ptr<poppler::document> pdf(
        poppler::document::load_from_raw_data(bytes.constData(), int(bytes.size())));
    ASSERT_TRUE(pdf);
    ASSERT_EQ(pdf->pages(), 1);
    std::unique_ptr<poppler::page> pagina(pdf->create_page(0));
    const poppler::rectf caixa = pagina->page_rect(poppler::media_box);
    EXPECT_NEAR(caixa.width() * 25.4 / 72, 210, 0.5);
    EXPECT_NEAR(caixa.height() * 25.4 / 72, 297, 0.5);

    poppler::page_renderer renderizador;
    renderizador.set_image_format(poppler::image::format_argb32);
    const poppler::image img = renderizador.render_page(pagina.get(), teste::DpiLeitura, teste::DpiLeitura);
    ASSERT_TRUE(img.is_valid());
    const QString esperado = QStringLiteral("I2/5:") + codigo;
    EXPECT_EQ(txt(teste::leBarras(img, 0, 30)), txt(esperado)) << "copy 1";
    EXPECT_EQ(txt(teste::leBarras(img, 110, 185)), "") << "copy 2";
    EXPECT_EQ(txt(teste::leBarras(img, 255, 297)), txt(esperado)) << "copy 3";
}

// A queue that refuses jobs, or one removed after it was chosen: the run fails naming the queue and the
// reason, nothing reaches the spooler and the document stays unprinted.
TEST_F(ImpressaoNaFila, FilaQueNaoAceitaOuNaoExisteFalhaSemMarcar) {
    const QString numero = salvaSemImprimir();
    ASSERT_FALSE(numero.isEmpty());
    struct Caso {
        const char* nome;
        QString fila;
        std::function<bool()> prepara;
        QString motivo;
    };
    const Caso casos[] = {
        {"rejecting", kFila, [&] { return cups->rejeita(kFila); },
         QStringLiteral("a fila \"zove\" não está aceitando trabalhos")},
        // Qt keeps the printer it has when told a name it does not know, so the queue is chosen while it
        // exists and removed afterwards.
        {"removed", QStringLiteral("removida"),
         [&] {
             const QString removida = QStringLiteral("removida");
             if (!cups->criaFila(removida))
                 return false;
             impressora->printer().setPrinterName(removida);
             return impressora->fila() == removida && removeFila(*cups, removida);
         },
         QStringLiteral("a fila \"removida\" não existe")},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        ASSERT_TRUE(c.prepara()) << cups->erro().toStdString();
        ASSERT_EQ(txt(impressora->fila()), txt(c.fila));
        plat.mensagens.pedidos.clear();
        EXPECT_FALSE(imprimeSalvo(numero));

        ASSERT_EQ(plat.mensagens.pedidos.size(), 1);
        const auto& aviso = plat.mensagens.pedidos[0];
        EXPECT_EQ(aviso.botoes, Mensagens::Botoes::OK);
        EXPECT_TRUE(aviso.texto.contains(QStringLiteral("O documento não foi impresso: ") + c.motivo))
            << aviso.texto.toStdString();
        const frmVisualizacao& v = form->visualizacao();
        EXPECT_EQ(txt(v.motivoFalha()), txt(c.motivo));
        EXPECT_EQ(v.trabalho(), 0);
        EXPECT_TRUE(v.filaUsada().isEmpty());
        // Nor did the page go to the default queue instead.
        EXPECT_TRUE(cups->arquivosDeTrabalho(c.fila).isEmpty());
        EXPECT_TRUE(cups->arquivosDeTrabalho(kFila).isEmpty());
        EXPECT_TRUE(trabalhosNaFila(kFila).isEmpty());
        EXPECT_EQ(txt(impressosNoArquivo().value(numero)), "0");
    }
}

// A printer whose hardware margins would cut the page is a question naming the printer, the side and
// the millimetres. Não prints nothing; Sim sends the page, and only the spooler's job id counts: a queue
// that started refusing jobs while the question was up leaves the document unprinted.
TEST_F(ImpressaoNaFila, MargensQueCortamPerguntamAntesDeEnviar) {
    const QString largas = QStringLiteral("largas");
    ASSERT_TRUE(cups->criaFila(largas, QStringLiteral(ZOVE_CUPS_APOIO "/margens-largas.ppd")))
        << cups->erro().toStdString();
    const EstadoFila estado = impressora->consultaFila(largas);
    ASSERT_TRUE(estado.existe);
    ASSERT_TRUE(estado.margensFisicas.has_value());
    EXPECT_NEAR(estado.margensFisicas->left(), 6.35, 0.01);
    EXPECT_NEAR(estado.margensFisicas->right(), 6.35, 0.01);
    EXPECT_NEAR(estado.margensFisicas->top(), 12.7, 0.01);
    EXPECT_NEAR(estado.margensFisicas->bottom(), 12.7, 0.01);

    const QString numero = salvaSemImprimir();
    ASSERT_FALSE(numero.isEmpty());
    impressora->printer().setPrinterName(largas);
    ASSERT_EQ(txt(impressora->fila()), txt(largas));
    struct Caso {
        const char* nome;
        Resposta resposta;
        bool recusaDuranteAPergunta;
        QString motivo;
    };
    const Caso casos[] = {
        {"Nao", Resposta::Nao, false, QStringLiteral("impressão cancelada pelo usuário")},
        {"Sim, refused meanwhile", Resposta::Sim, true,
         QStringLiteral("a fila \"largas\" não está aceitando trabalhos")},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        plat.mensagens.pedidos.clear();
        plat.mensagens.respostas = {c.resposta};
        plat.mensagens.aoMostrar = [&](const teste::MensagensGravadas::Pedido& p) {
            if (c.recusaDuranteAPergunta && p.botoes == Mensagens::Botoes::SimNaoPadraoNao) {
                EXPECT_TRUE(cups->rejeita(largas)) << cups->erro().toStdString();
            }
        };
        EXPECT_FALSE(imprimeSalvo(numero));
        plat.mensagens.aoMostrar = nullptr;

        ASSERT_EQ(plat.mensagens.pedidos.size(), c.recusaDuranteAPergunta ? 2 : 1);
        const auto& pergunta = plat.mensagens.pedidos[0];
        EXPECT_EQ(pergunta.botoes, Mensagens::Botoes::SimNaoPadraoNao);
        EXPECT_TRUE(
            pergunta.texto.startsWith(QStringLiteral("A impressora \"largas\" não imprime junto às bordas")))
            << pergunta.texto.toStdString();
        EXPECT_TRUE(pergunta.texto.contains(QStringLiteral("12,7 mm em cima")));
        EXPECT_TRUE(QRegularExpression(QStringLiteral("\n- em cima: \\d+,\\d mm do documento ficariam fora"))
                        .match(pergunta.texto)
                        .hasMatch())
            << pergunta.texto.toStdString();
        if (c.recusaDuranteAPergunta) {
            EXPECT_TRUE(plat.mensagens.pedidos[1].texto.contains(
                QStringLiteral("O documento não foi impresso: ") + c.motivo))
                << plat.mensagens.pedidos[1].texto.toStdString();
        }
        const frmVisualizacao& v = form->visualizacao();
        EXPECT_EQ(txt(v.motivoFalha()), txt(c.motivo));
        EXPECT_EQ(v.trabalho(), 0);
        EXPECT_TRUE(cups->arquivosDeTrabalho(largas).isEmpty());
        EXPECT_TRUE(trabalhosNaFila(largas).isEmpty());
        EXPECT_EQ(txt(impressosNoArquivo().value(numero)), "0");
    }

    // The same page on a printer that reaches the sheet's edges, and on this one.
    frmVisualizacao& v = form->visualizacao();
    EXPECT_EQ(txt(v.avisoMargens(QStringLiteral("x"), QMarginsF(0, 0, 0, 0))), "");
    EXPECT_TRUE(v.avisoMargens(QStringLiteral("x"), *estado.margensFisicas)
                    .startsWith(QStringLiteral("A impressora \"x\" ")));
}

// Three saved documents printed from the search window: three jobs on the queue, in the list's order,
// and all three marked printed.
TEST_F(ImpressaoNaFila, LoteDaConsultaEnviaUmTrabalhoPorDocumento) {
    QStringList numeros;
    for (int i = 0; i < 3; ++i)
        numeros << salvaSemImprimir();
    ASSERT_EQ(numeros.size(), 3);
    ASSERT_EQ(numeros.removeDuplicates(), 0);
    ASSERT_FALSE(numeros.contains(QString()));
    form.reset();

    FormularioDocumentoZOV formulario(*refs, plataforma());
    formulario.definirPastaDocumentos(documentos.path());
    FrmConsultaZOV janela(*refs, plataforma(), &formulario);
    janela.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
    QTest::mouseClick(janela.Pesquisar, Qt::LeftButton);
    QStringList selecionados;
    for (int i = 0; i < janela.linhas(); ++i) {
        if (numeros.contains(janela.numeroDaLinha(i))) {
            janela.ListView1->selectionModel()->select(janela.ListView1->model()->index(i, 0),
                                                       QItemSelectionModel::Select |
                                                           QItemSelectionModel::Rows);
            selecionados << janela.numeroDaLinha(i);
        }
    }
    ASSERT_EQ(selecionados.size(), 3);
    plat.mensagens.pedidos.clear();
    plat.mensagens.respostas = {Resposta::Sim};
    QTest::mouseClick(janela.cmdImprimir, Qt::LeftButton);

    ASSERT_FALSE(plat.mensagens.pedidos.isEmpty());
    EXPECT_EQ(txt(plat.mensagens.pedidos.last().texto), "Impressão efetuada com sucesso!");
    ASSERT_TRUE(cups->esperaTrabalhos(kFila, 3)) << cups->erro().toStdString();
    const QStringList arquivos = cups->arquivosDeTrabalho(kFila);
    ASSERT_EQ(arquivos.size(), 3);
    EXPECT_EQ(trabalhosNaFila(kFila).size(), 3);
    QStringList titulos;
    for (const QString& a : arquivos)
        titulos << detalhesDoTrabalho(a).value(QStringLiteral("title"));
    QStringList esperados;
    for (const QString& n : selecionados)
        esperados << QStringLiteral("ZOVE ") + n;
    EXPECT_EQ(txt(titulos), txt(esperados));
    const auto marcas = impressosNoArquivo();
    for (const QString& n : numeros)
        EXPECT_EQ(txt(marcas.value(n)), "1") << txt(n);
}

// A stopped queue is a question first: Não sends nothing; Sim leaves the job held in the queue and
// counts the document as printed.
TEST_F(ImpressaoNaFila, FilaParadaPerguntaESimDeixaOTrabalhoNaFila) {
    const QString numero = salvaSemImprimir();
    ASSERT_FALSE(numero.isEmpty());
    ASSERT_TRUE(cups->para(kFila)) << cups->erro().toStdString();
    for (const Resposta resposta : {Resposta::Nao, Resposta::Sim}) {
        const bool sim = resposta == Resposta::Sim;
        SCOPED_TRACE(sim ? "Sim" : "Nao");
        plat.mensagens.pedidos.clear();
        plat.mensagens.respostas = {resposta};
        EXPECT_EQ(imprimeSalvo(numero), sim);

        ASSERT_EQ(plat.mensagens.pedidos.size(), 1);
        const auto& pergunta = plat.mensagens.pedidos[0];
        EXPECT_EQ(pergunta.botoes, Mensagens::Botoes::SimNaoPadraoNao);
        EXPECT_TRUE(pergunta.texto.startsWith(QStringLiteral("A impressora \"zove\" está parada")))
            << pergunta.texto.toStdString();
        const frmVisualizacao& v = form->visualizacao();
        const auto trabalhos = trabalhosNaFila(kFila);
        if (sim) {
            ASSERT_GT(v.trabalho(), 0);
            EXPECT_EQ(txt(v.filaUsada()), txt(kFila));
            ASSERT_EQ(trabalhos.size(), 1);
            EXPECT_EQ(trabalhos[0].first, v.trabalho());
            EXPECT_EQ(trabalhos[0].second, IPP_JSTATE_PENDING);
        } else {
            EXPECT_EQ(v.trabalho(), 0);
            EXPECT_TRUE(trabalhos.isEmpty());
        }
        EXPECT_EQ(txt(impressosNoArquivo().value(numero)), sim ? "1" : "0");
    }
}
