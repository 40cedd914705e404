// The entry form's save and print flow through its real controls, with recording doubles: the saved
// document and taxpayer, the confirmation, the print run and the preview.
#include "data/Referencias.h"
#include "data/ZovEnv_Simulator.h"
#include "entry/janelas/FrmZOV.h"
#include "platform/PlataformaDeTeste.h"
#include "printing/frmVisualizacao.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
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
protected:
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
    EXPECT_EQ(form->NumDocumento, zov->NUM_DOCUMENTO.toDouble()); // kept: the next print updates it
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

    // Printing the same document again updates it and its taxpayer: nothing is added.
    form->txtNome->setText(QStringLiteral("MARIA DA SILVA"));
    QTest::mouseClick(form->Imprimir, Qt::LeftButton);
    EXPECT_EQ(refs->oZOVs->Count(), 1);
    ASSERT_EQ(contribuintes().size(), 1);
    EXPECT_EQ(contribuintes()[0]->RAZAO_SOCIAL, QStringLiteral("MARIA DA SILVA"));
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
    EXPECT_EQ(form->visualizacao().CodigoBarra(), form->documentoMontado()->codigoBarras);
    EXPECT_TRUE(pdfs().isEmpty());
}
