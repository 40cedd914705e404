// The entry form's save and print flow through its real controls, with recording doubles: the saved
// document and taxpayer, the confirmation, the print run and the preview.
#include "app/FormularioDocumentoZOV.h"
#include "common/DadosImpressao.h"
#include "data/Referencias.h"
#include "data/ZovEnv_Simulator.h"
#include "entry/janelas/FrmZOV.h"
#include "platform/PlataformaDeTeste.h"
#include "printing/frmVisualizacao.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

using namespace zove;
using Resposta = Mensagens::Resposta;

namespace {

const QDate hoje(2025, 3, 14);

class FluxoImpressao : public ::testing::Test {
public:
    void SetUp() override {
        refs = Referencias::carregar(pasta.caminho());
        plataforma.impressora.bSemImpressora = true;
        form = std::make_unique<FrmZOV>(*refs, plataforma.plataforma(), [] { return hoje; });
        form->definirPastaImagens(imagens.path());
        form->visualizacao().setPastaDocumentos(documentos.path());
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        preenche();
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
        digita(form->txtValorMulta, QStringLiteral("10"));
        ASSERT_TRUE(plataforma.mensagens.pedidos.isEmpty())
            << plataforma.mensagens.pedidos[0].texto.toStdString();
    }

    QStringList pdfs() const {
        return QDir(documentos.path()).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    }
    QList<std::shared_ptr<tabulon::CONTRIBUINTE>> contribuintes() const {
        QList<std::shared_ptr<tabulon::CONTRIBUINTE>> r;
        for (const auto& c : *refs->oCONTRIBUINTEs)
            if (c->DOCUMENTO_IDENTIFICACAO == QLatin1String("11144477735"))
                r.append(c);
        return r;
    }

    teste::PastaDados pasta;
    QTemporaryDir imagens;
    QTemporaryDir documentos;
    teste::PlataformaDeTeste plataforma;
    std::unique_ptr<Referencias> refs;
    std::unique_ptr<FrmZOV> form;
};

} // namespace

TEST_F(FluxoImpressao, ImprimirSalvaUmaVezEDepoisAtualiza) {
    form->chkSalvarZOVE->setChecked(true);
    plataforma.mensagens.respostas = {Resposta::Sim, Resposta::Nao, Resposta::Sim, Resposta::Nao};
    QTest::mouseClick(form->Imprimir, Qt::LeftButton);

    ASSERT_EQ(refs->oZOVs->Count(), 1);
    const auto zov = refs->oZOVs->Item(1);
    EXPECT_EQ(zov->COD_RECEITA, QStringLiteral("1937"));
    EXPECT_EQ(zov->NUM_DOCUMENTO_IDENT, QStringLiteral("11144477735"));
    EXPECT_EQ(zov->NUM_DOCUMENTO_ORIGEM, QStringLiteral("124"));
    EXPECT_EQ(zov->VALOR_TOTAL, QStringLiteral("1244,50"));
    EXPECT_EQ(zov->IMPRESSO, QStringLiteral("1"));
    ASSERT_EQ(contribuintes().size(), 1);
    EXPECT_EQ(contribuintes()[0]->RAZAO_SOCIAL, QStringLiteral("MARIA"));
    EXPECT_EQ(plataforma.configuracoes.valores.value(QStringLiteral("ZOVE/SalvarZOVE")), QStringLiteral("1"));
    EXPECT_EQ(pdfs(), QStringList{QStringLiteral("ZOVE_%1.pdf").arg(zov->NUM_DOCUMENTO)});

    ASSERT_EQ(plataforma.mensagens.pedidos.size(), 2);
    const auto& confirmacao = plataforma.mensagens.pedidos[0];
    EXPECT_EQ(confirmacao.titulo, QStringLiteral("Confirmar dados"));
    EXPECT_EQ(confirmacao.botoes, Mensagens::Botoes::SimNao);
    EXPECT_EQ(confirmacao.icone, Mensagens::Icone::Pergunta);
    EXPECT_TRUE(confirmacao.texto.contains(QStringLiteral("\n   Rascunho ou Econômica;\n")));
    EXPECT_TRUE(confirmacao.texto.endsWith(QStringLiteral("\n\n Confirmar dados digitados?")));
    EXPECT_TRUE(
        plataforma.mensagens.pedidos[1].texto.startsWith(QStringLiteral("Impressão efetuada com sucesso!")));

    // A complete print clears the form: what is typed next is a new document.
    EXPECT_EQ(form->NumDocumento, 0);
    EXPECT_TRUE(form->txtNome->text().isEmpty());
    EXPECT_EQ(form->cmbReceita->count(), 0);
    EXPECT_EQ(form->txtValorTotal->text(), QStringLiteral("0,00"));

    // Opened again and printed, the same document is updated with its taxpayer: nothing is added.
    double numero = zov->NUM_DOCUMENTO.toDouble();
    form->NumDocumento = numero;
    ASSERT_TRUE(form->CarregarZOV(numero));
    EXPECT_EQ(form->txtIdentificacao->text(), QStringLiteral("111.444.777-35"));
    EXPECT_EQ(form->txtNome->text(), QStringLiteral("MARIA"));
    EXPECT_EQ(form->txtValorTotal->text(), QStringLiteral("1.244,50"));
    form->txtNome->setText(QStringLiteral("MARIA DA SILVA"));
    QTest::mouseClick(form->Imprimir, Qt::LeftButton);
    EXPECT_EQ(refs->oZOVs->Count(), 1);
    ASSERT_EQ(contribuintes().size(), 1);
    EXPECT_EQ(contribuintes()[0]->RAZAO_SOCIAL, QStringLiteral("MARIA DA SILVA"));
}

// A last payment date typed without slashes is saved as day/month/year, as every saved date is.
TEST_F(FluxoImpressao, DataMaximaSalvaComBarras) {
    form->txtDataMaxPagto->clear();
    digita(form->txtDataMaxPagto, QStringLiteral("300325"));
    ASSERT_EQ(form->txtDataMaxPagto->text(), QStringLiteral("300325"));
    form->chkSalvarZOVE->setChecked(true);
    plataforma.mensagens.respostas = {Resposta::Nao};
    QTest::mouseClick(form->Imprimir, Qt::LeftButton);
    ASSERT_EQ(refs->oZOVs->Count(), 1);
    EXPECT_EQ(refs->oZOVs->Item(1)->DATA_CALCULO, QStringLiteral("30/03/2025"));
    EXPECT_EQ(refs->oZOVs->Item(1)->DATA_VENCIMENTO, QStringLiteral("20/03/2025"));
}

TEST_F(FluxoImpressao, NaoNaConfirmacaoGuardaONumeroENaoImprime) {
    form->chkSalvarZOVE->setChecked(true);
    plataforma.mensagens.respostas = {Resposta::Nao, Resposta::Nao};
    QTest::mouseClick(form->Imprimir, Qt::LeftButton);
    QTest::mouseClick(form->Imprimir, Qt::LeftButton);
    EXPECT_EQ(refs->oZOVs->Count(), 1); // the second save updated the first
    EXPECT_EQ(refs->oZOVs->Item(1)->IMPRESSO, QStringLiteral("0"));
    EXPECT_TRUE(pdfs().isEmpty());
    EXPECT_EQ(form->txtNome->text(), QStringLiteral("MARIA")); // the form keeps its contents
    // No bars are left on the form for contents the user may now change.
    EXPECT_TRUE(form->pctCodigoBarras->pixmap().isNull());
    EXPECT_TRUE(form->lblLinhaDigitavel->text().isEmpty());
}

TEST_F(FluxoImpressao, SalvarQueFalhaAvisaENaoImprime) {
    ASSERT_TRUE(refs->oZovEnv().ContribuinteInsert("11144477735", "ANTIGO", "3", "", ""));
    refs->oZovEnv().defineGravador([](const QString&, const QByteArray&, QString* erro) {
        *erro = QStringLiteral("disco cheio");
        return false;
    });
    form->chkSalvarZOVE->setChecked(true);
    QTest::mouseClick(form->Imprimir, Qt::LeftButton);
    ASSERT_EQ(plataforma.mensagens.pedidos.size(), 1); // no confirmation, no print
    EXPECT_EQ(plataforma.mensagens.pedidos[0].titulo, QStringLiteral("Erro"));
    EXPECT_TRUE(
        plataforma.mensagens.pedidos[0].texto.startsWith(QStringLiteral("Ocorreu o seguinte erro:\n")));
    EXPECT_TRUE(plataforma.mensagens.pedidos[0].texto.endsWith(
        QStringLiteral("\nVerifique a sua permissão de usuário em seu computador")));
    EXPECT_EQ(refs->oZOVs->Count(), 0);
    EXPECT_EQ(contribuintes()[0]->RAZAO_SOCIAL, QStringLiteral("ANTIGO")); // neither record written
    EXPECT_EQ(form->NumDocumento, 0);
    EXPECT_TRUE(pdfs().isEmpty());
}

TEST_F(FluxoImpressao, ContribuinteRepetidoEAtualizadoNuncaIncluido) {
    ASSERT_TRUE(refs->oZovEnv().ContribuinteInsert("11144477735", "UM", "3", "", ""));
    ASSERT_TRUE(refs->oZovEnv().ContribuinteInsert("11144477735", "DOIS", "3", "", ""));
    form->chkSalvarZOVE->setChecked(true);
    plataforma.mensagens.respostas = {Resposta::Nao};
    QTest::mouseClick(form->Imprimir, Qt::LeftButton);
    const auto linhas = contribuintes();
    ASSERT_EQ(linhas.size(), 2);
    for (const auto& c : linhas)
        EXPECT_EQ(c->RAZAO_SOCIAL, QStringLiteral("MARIA"));
}

TEST_F(FluxoImpressao, SemSalvarONumeroVaiInteiroParaAPagina) {
    form->NumDocumento = 1234567;
    plataforma.mensagens.respostas = {Resposta::Sim, Resposta::Nao};
    QTest::mouseClick(form->Imprimir, Qt::LeftButton);
    EXPECT_EQ(refs->oZOVs->Count(), 0);
    EXPECT_EQ(form->visualizacao().p_num_documento(), QStringLiteral("1234567"));
    EXPECT_EQ(pdfs(), QStringList{QStringLiteral("ZOVE_1234567.pdf")});
    EXPECT_EQ(plataforma.configuracoes.valores.value(QStringLiteral("ZOVE/SalvarZOVE")), QStringLiteral("0"));
}

TEST_F(FluxoImpressao, VisualizarMostraAPreviaDoDocumento) {
    plataforma.mensagens.respostas = {Resposta::Sim};
    bool desenhou = false;
    // Once the modal preview is up, look at it and leave with Sair.
    std::function<void()> olha = [&] {
        frmVisualizacao& v = form->visualizacao();
        if (!v.isVisible()) {
            QTimer::singleShot(10, form.get(), olha);
            return;
        }
        desenhou = !v.pctZov->imagem().isNull();
        QTest::mouseClick(v.cmdSair, Qt::LeftButton);
    };
    QTimer::singleShot(0, form.get(), olha);
    QTest::mouseClick(form->cmdVisualizar, Qt::LeftButton);
    EXPECT_TRUE(desenhou);
    ASSERT_EQ(plataforma.mensagens.pedidos.size(), 1);
    EXPECT_TRUE(
        plataforma.mensagens.pedidos[0].texto.contains(QStringLiteral("\n    Rascunho ou Econômica;\n")));
    EXPECT_EQ(form->visualizacao().CodigoBarra().size(), 44);
    EXPECT_EQ(form->cmbReceita->count(), 0); // cleared when the preview closed
    EXPECT_TRUE(pdfs().isEmpty());
}

// The preview's shortcut leaves the field being edited first, as printing does: the amount just typed
// is formatted and summed before the document is checked, saved and shown.
TEST_F(FluxoImpressao, VisualizarPeloAtalhoSaiDoCampoEmEdicao) {
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->chkSalvarZOVE->setChecked(true);
    form->txtValorPrincipal->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(form->txtValorPrincipal->hasFocus());
    QTest::keyClicks(form->txtValorPrincipal, QStringLiteral("2000"));
    ASSERT_EQ(form->txtValorPrincipal->text(), QStringLiteral("2000"));

    plataforma.mensagens.respostas = {Resposta::Sim};
    DadosImpressao mostrados;
    std::function<void()> olha = [&] {
        frmVisualizacao& v = form->visualizacao();
        if (!v.isVisible()) {
            QTimer::singleShot(10, form.get(), olha);
            return;
        }
        mostrados = v.dados();
        QTest::mouseClick(v.cmdSair, Qt::LeftButton);
    };
    QTimer::singleShot(0, form.get(), olha);
    // The mnemonic clicks the button a moment later, without moving the focus.
    QTest::keyClick(form->txtValorPrincipal, Qt::Key_V, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !mostrados.ValorTotal.isEmpty(); }, 5000));

    EXPECT_EQ(mostrados.ValorPrincipal, QStringLiteral("2.000,00"));
    EXPECT_EQ(mostrados.ValorTotal, QStringLiteral("2.010,00"));
    ASSERT_EQ(refs->oZOVs->Count(), 1);
    EXPECT_EQ(refs->oZOVs->Item(1)->VALOR_PRINCIPAL, QStringLiteral("2000,00"));
    EXPECT_EQ(refs->oZOVs->Item(1)->VALOR_TOTAL, QStringLiteral("2010,00"));
}

// Bars that cannot be written stop printing and previewing before anything is saved, and the form
// keeps what was typed.
TEST_F(FluxoImpressao, ComposicaoQueFalhaNaoSalvaNemLimpa) {
    QTemporaryDir outra;
    const QString naoEhPasta = outra.filePath(QStringLiteral("arquivo"));
    QFile f(naoEhPasta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    form->definirPastaImagens(naoEhPasta);
    form->chkSalvarZOVE->setChecked(true);
    plataforma.mensagens.respostas = {Resposta::Sim, Resposta::Sim};

    for (QPushButton* botao : {form->cmdVisualizar, form->Imprimir}) {
        plataforma.mensagens.pedidos.clear();
        QTest::mouseClick(botao, Qt::LeftButton);
        ASSERT_EQ(plataforma.mensagens.pedidos.size(), 1) << botao->objectName().toStdString();
        EXPECT_EQ(plataforma.mensagens.pedidos[0].titulo, QStringLiteral("Erro"));
        EXPECT_EQ(plataforma.mensagens.pedidos[0].icone, Mensagens::Icone::Critico);
        EXPECT_EQ(refs->oZOVs->Count(), 0);
        EXPECT_EQ(form->NumDocumento, 0);
        EXPECT_EQ(form->txtNome->text(), QStringLiteral("MARIA"));
        EXPECT_EQ(form->cmbReceita->currentData().toInt(), 1937);
        EXPECT_FALSE(form->visualizacao().isVisible());
    }
    EXPECT_TRUE(pdfs().isEmpty());
}

// Each kind of reference comes back as it was saved, with lists, fields and amounts; the total is
// recomputed from the amounts.
TEST_F(FluxoImpressao, ReabreCadaTipoDeReferencia) {
    struct Caso {
        int tipo, receita, identificacao;
        const char* numero;
        std::function<void(FluxoImpressao&)> completa;
    };
    const Caso casos[] = {
        {1, 1147, 1, "250000001",
         [](FluxoImpressao& t) {
             t.escolhe(t.form->cmbClasseVecto, 104);
             t.escolhe(t.form->cmbMes1, 2);
         }},
        {1, 1163, 2, "11222333000181",
         [](FluxoImpressao& t) {
             t.escolhe(t.form->cmbTipoPeriodo, 2);
             t.escolhe(t.form->cmbValorPeriodo, 52);
             t.digita(t.form->txtAnoPeriodo, QStringLiteral("2024"));
         }},
        {5, 5746, 3, "11144477735",
         [](FluxoImpressao& t) {
             t.digita(t.form->txtNumDoctoOrigem, QStringLiteral("124"));
             t.digita(t.form->txtNumParcela, QStringLiteral("7"));
         }},
        {2, 1805, 5, "123456789",
         [](FluxoImpressao& t) {
             t.digita(t.form->txtNome, QStringLiteral("maria"));
             t.escolhe(t.form->cmbMunicipio, t.form->cmbMunicipio->itemData(0).toInt());
             t.escolhe(t.form->cmbQuota, 76);
         }},
        {2, 1821, 5, "123456789",
         [](FluxoImpressao& t) {
             t.digita(t.form->txtNome, QStringLiteral("maria"));
             t.digita(t.form->txtAno, QStringLiteral("2024"));
         }},
    };
    form->chkSalvarZOVE->setChecked(true);
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.receita);
        form->LimparZOV();
        escolhe(form->cmbTipoReceita, c.tipo);
        escolhe(form->cmbReceita, c.receita);
        escolhe(form->cmbTipoIdentificacao, c.identificacao);
        digita(form->txtIdentificacao, QString::fromLatin1(c.numero));
        digita(form->txtDataVencimento, QStringLiteral("20032025"));
        digita(form->txtValorPrincipal, QStringLiteral("1234,5"));
        digita(form->txtValorJuros, QStringLiteral("1"));
        c.completa(*this);
        plataforma.mensagens.pedidos.clear();
        plataforma.mensagens.respostas = {Resposta::Nao}; // saved, not printed
        QTest::mouseClick(form->Imprimir, Qt::LeftButton);
        ASSERT_EQ(plataforma.mensagens.pedidos.size(), 1);
        ASSERT_EQ(plataforma.mensagens.pedidos[0].titulo, QStringLiteral("Confirmar dados"))
            << plataforma.mensagens.pedidos[0].texto.toStdString();
        ASSERT_NE(form->NumDocumento, 0);
        const Preenchimento antes = form->leFormulario();

        double numero = form->NumDocumento;
        form->LimparZOV();
        EXPECT_EQ(form->NumDocumento, 0);
        // A stored total that disagrees with the amounts is not believed.
        for (const auto& z : *refs->oZOVs)
            if (z->NUM_DOCUMENTO.toDouble() == numero)
                z->VALOR_TOTAL = QStringLiteral("1,00");
        ASSERT_TRUE(form->CarregarZOV(numero));
        const Preenchimento depois = form->leFormulario();
        EXPECT_EQ(depois.tipoReceita, antes.tipoReceita);
        EXPECT_EQ(depois.receita, antes.receita);
        EXPECT_EQ(depois.tipoIdentificacao, antes.tipoIdentificacao);
        EXPECT_EQ(depois.identificacao, antes.identificacao);
        EXPECT_EQ(depois.nome, antes.nome);
        EXPECT_EQ(depois.numDoctoOrigem, antes.numDoctoOrigem);
        EXPECT_EQ(depois.classe, antes.classe);
        EXPECT_EQ(depois.municipio, antes.municipio);
        EXPECT_EQ(depois.mes, antes.mes);
        EXPECT_EQ(depois.ano1, antes.ano1);
        EXPECT_EQ(depois.tipoPeriodo, antes.tipoPeriodo);
        EXPECT_EQ(depois.valorPeriodo, antes.valorPeriodo);
        EXPECT_EQ(depois.anoPeriodo, antes.anoPeriodo);
        EXPECT_EQ(depois.numParcela, antes.numParcela);
        EXPECT_EQ(depois.quota, antes.quota);
        EXPECT_EQ(depois.anoQuota, antes.anoQuota);
        EXPECT_EQ(depois.ano, antes.ano);
        EXPECT_EQ(depois.dataVencimento, antes.dataVencimento);
        EXPECT_EQ(depois.dataMaxPagto, antes.dataMaxPagto);
        EXPECT_EQ(depois.valorPrincipal, QStringLiteral("1.234,50"));
        EXPECT_EQ(depois.valorJuros, QStringLiteral("1,00"));
        EXPECT_EQ(depois.valorTotal, QStringLiteral("1.235,50"));
    }
}

TEST_F(FluxoImpressao, ReimpressaoDeDocumentoSalvo) {
    form->chkSalvarZOVE->setChecked(true);
    plataforma.mensagens.respostas = {Resposta::Nao};
    QTest::mouseClick(form->Imprimir, Qt::LeftButton);
    const double salvo = form->NumDocumento;
    ASSERT_NE(salvo, 0);
    form->LimparZOV();

    // A saved document prints without questions and leaves the form clear.
    plataforma.mensagens.pedidos.clear();
    plataforma.mensagens.respostas.clear();
    form->NumDocumento = salvo;
    EXPECT_TRUE(form->ImprimirPantAnterior());
    EXPECT_TRUE(plataforma.mensagens.pedidos.isEmpty());
    EXPECT_EQ(refs->oZOVs->Item(1)->IMPRESSO, QStringLiteral("1"));
    EXPECT_EQ(pdfs().size(), 1);
    EXPECT_EQ(form->NumDocumento, 0);

    // One that no longer exists is not printed.
    form->NumDocumento = salvo + 1;
    EXPECT_FALSE(form->ImprimirPantAnterior());
    ASSERT_EQ(plataforma.mensagens.pedidos.size(), 1);
    EXPECT_EQ(plataforma.mensagens.pedidos[0].titulo, QStringLiteral("Erro"));
    EXPECT_EQ(pdfs().size(), 1);
}

// The Limpar button empties a filled form, and what is entered next is a new document; the fee table
// button opens the page of the program folder, or shows it in the help viewer without a browser.
TEST_F(FluxoImpressao, BotoesLimparETabelaDeTaxas) {
    form->NumDocumento = 7;
    QTest::mouseClick(form->Limpar, Qt::LeftButton);
    EXPECT_EQ(form->cmbTipoReceita->currentIndex(), -1);
    EXPECT_EQ(form->cmbReceita->count(), 0);
    EXPECT_TRUE(form->txtIdentificacao->text().isEmpty());
    EXPECT_TRUE(form->txtNome->text().isEmpty());
    EXPECT_EQ(form->cmbMunicipio->currentIndex(), -1);
    EXPECT_EQ(form->txtValorPrincipal->text(), QStringLiteral("0,00"));
    EXPECT_EQ(form->txtValorTotal->text(), QStringLiteral("0,00"));
    EXPECT_EQ(form->txtDataMaxPagto->text(), QStringLiteral("31/03/2025"));
    EXPECT_EQ(form->NumDocumento, 0);

    QTemporaryDir programa;
    const QString pagina = programa.path() + QStringLiteral("/TaxasdeServicosEstaduais.htm");
    form->definirPastaPrograma(programa.path());
    QTest::mouseClick(form->cmdTabela, Qt::LeftButton);
    EXPECT_EQ(plataforma.areaDeTrabalho.arquivos, QStringList{pagina});
    EXPECT_TRUE(plataforma.ajuda.arquivos.isEmpty());
    plataforma.areaDeTrabalho.resultado = false;
    QTest::mouseClick(form->cmdTabela, Qt::LeftButton);
    EXPECT_EQ(plataforma.ajuda.arquivos, QStringList{pagina});
    EXPECT_TRUE(plataforma.mensagens.pedidos.isEmpty());
}

TEST_F(FluxoImpressao, ConsultaImprimeDocumentoSalvoPeloFormulario) {
    form->chkSalvarZOVE->setChecked(true);
    plataforma.mensagens.respostas = {Resposta::Nao};
    QTest::mouseClick(form->Imprimir, Qt::LeftButton);
    const double salvo = form->NumDocumento;
    ASSERT_NE(salvo, 0);
    form.reset();
    plataforma.mensagens.pedidos.clear();

    // What the search window asks for: the saved document printed by a form of its own, to a PDF here.
    FormularioDocumentoZOV formulario(*refs, plataforma.plataforma());
    formulario.definirPastaDocumentos(documentos.path());
    const ImpressaoDocumento r = formulario.imprimir(nullptr, QString::number(salvo, 'f', 0));
    EXPECT_TRUE(r.impresso);
    EXPECT_TRUE(QFile::exists(r.arquivoPdf)) << r.arquivoPdf.toStdString();
    EXPECT_EQ(pdfs().size(), 1);
    // The printed mark is the batch's to record, together with the others.
    EXPECT_EQ(refs->oZOVs->Item(1)->IMPRESSO, QStringLiteral("0"));

    // A number with no saved document prints nothing and says why.
    const ImpressaoDocumento falta = formulario.imprimir(nullptr, QString::number(salvo + 1, 'f', 0));
    EXPECT_FALSE(falta.impresso);
    EXPECT_TRUE(falta.arquivoPdf.isEmpty());
    ASSERT_EQ(plataforma.mensagens.pedidos.size(), 1);
    EXPECT_EQ(plataforma.mensagens.pedidos[0].titulo, QStringLiteral("Erro"));
    EXPECT_EQ(pdfs().size(), 1);
}
