// The entry form through its real controls: the cascade each revenue drives, the focus rules of the
// fields, the error list of Imprimir and the assembled number.
#include "entry/janelas/FrmZOV.h"
#include "barcode/ZovDados.h"
#include "barcode/codigoDeBarra.h"
#include "data/Referencias.h"
#include "data/ZovEnv_Simulator.h"
#include "platform/PlataformaDeTeste.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <ostream>

using namespace zove;

static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

const QDate hoje(2025, 3, 14);

QList<int> codigos(const QComboBox* c) {
    QList<int> l;
    for (int i = 0; i < c->count(); ++i)
        l.append(c->itemData(i).toInt());
    return l;
}

class FormularioZOV : public ::testing::Test {
public:
    void SetUp() override { abre(); }

    void abre() {
        form.reset();
        refs = Referencias::carregar(pasta.caminho());
        form = std::make_unique<FrmZOV>(*refs, plataforma.plataforma(), [] { return hoje; });
        form->definirPastaImagens(imagens.path());
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    // A user's choice in a list: the item with that code becomes current and the list reports it.
    void escolhe(QComboBox* c, int codigo) {
        const int i = c->findData(codigo);
        ASSERT_GE(i, 0) << c->objectName().toStdString() << " sem " << codigo;
        c->setCurrentIndex(i);
        emit c->activated(i);
    }

    void receita(int tipo, int codigo) {
        escolhe(form->cmbTipoReceita, tipo);
        escolhe(form->cmbReceita, codigo);
    }

    // Clicks into the field, types, and leaves it with Tab.
    void digita(QLineEdit* campo, const QString& texto) {
        entra(campo);
        QTest::keyClicks(campo, texto);
        QTest::keyClick(campo, Qt::Key_Tab);
    }

    // Keys with text beyond ASCII, as a keyboard layout sends them.
    static void tecla(QWidget* w, const QString& texto) {
        for (const QChar c : texto) {
            QKeyEvent aperta(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &aperta);
            QKeyEvent solta(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &solta);
        }
    }

    void entra(QLineEdit* campo) {
        campo->setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(campo->hasFocus()) << campo->objectName().toStdString();
    }

    static bool obrigatorio(const QWidget* w) {
        return w->isEnabled() && w->palette().color(QPalette::Base) == FrmZOV::corObrigatorio();
    }

    int grupoVisivel() const {
        const QGroupBox* grupos[] = {form->FramePeriodo1, form->FramePeriodo2, form->FramePeriodo3,
                                     form->FramePeriodo4, form->FramePeriodo5};
        int visivel = 0;
        for (int i = 0; i < 5; ++i) {
            if (grupos[i]->isVisible()) {
                EXPECT_EQ(visivel, 0) << "dois grupos de período à vista";
                visivel = i + 1;
            }
        }
        return visivel;
    }

    teste::PastaDados pasta;
    QTemporaryDir imagens;
    teste::PlataformaDeTeste plataforma;
    std::unique_ptr<Referencias> refs;
    std::unique_ptr<FrmZOV> form;
};

} // namespace

TEST_F(FormularioZOV, CarregaListasEEstadoVazio) {
    EXPECT_EQ(form->cmbTipoReceita->count(), 8);
    EXPECT_EQ(form->cmbTipoReceita->currentIndex(), -1);
    EXPECT_EQ(form->cmbReceita->count(), 0);
    EXPECT_EQ(codigos(form->cmbTipoPeriodo), (QList<int>{1, 2, 3, 4, 5}));
    EXPECT_GT(form->cmbMunicipio->count(), 0);
    EXPECT_EQ(form->cmbMunicipio->currentIndex(), -1);
    EXPECT_EQ(form->txtDataMaxPagto->text(), QStringLiteral("31/03/2025"));
    EXPECT_EQ(grupoVisivel(), 1);
    EXPECT_EQ(form->cmbMes1->currentText(), QStringLiteral("Março"));
    EXPECT_EQ(form->txtAno1->text(), QStringLiteral("2025"));
    EXPECT_FALSE(form->chkSalvarZOVE->isChecked());
    EXPECT_FALSE(form->txtNome->isEnabled());
    EXPECT_EQ(form->txtValorTotal->text(), QStringLiteral("0,00"));
    for (const char* nome :
         {"cmbTipoReceita", "cmbReceita", "cmbClasseVecto", "txtIdentificacao", "FramePeriodo5",
          "FrameCalculoValorPagar", "pctCodigoBarras", "cmdEnter", "Imprimir", "Label4"})
        EXPECT_NE(form->findChild<QWidget*>(QLatin1String(nome)), nullptr) << nome;

    // The saved choice of the box is read when the form loads.
    plataforma.configuracoes.valores.insert(QStringLiteral("ZOVE/SalvarZOVE"), QStringLiteral("1"));
    abre();
    EXPECT_TRUE(form->chkSalvarZOVE->isChecked());
}

TEST_F(FormularioZOV, CadaReceitaLigaSeusCampos) {
    struct Caso {
        int tipo;
        int receita;
        QList<int> identificacoes;
        bool nome, telefone, origem, classe, municipio, vencimento;
        int grupo;
        const char* rotuloClasse;
    };
    const Caso casos[] = {
        // month and year, due-date class
        {1, 1147, {1}, false, false, false, true, false, true, 1, "Classe de Vencimento"},
        // periodicity
        {1, 1163, {1, 2}, false, false, false, false, false, true, 2, "Classe de Vencimento"},
        // parcel, originating document
        {5, 5746, {1, 2, 3}, false, false, true, false, false, true, 3, "Classe de Vencimento"},
        // quota and year, municipality
        {2, 1805, {5}, true, false, false, false, true, true, 4, "Classe de Vencimento"},
        // fiscal year
        {2, 1821, {5}, true, false, false, false, false, true, 5, "Classe de Vencimento"},
        // no reference period
        {3, 1937, {2, 3}, true, true, true, false, true, true, 0, "Classe de Vencimento"},
        {1, 1457, {1, 2, 3}, true, false, true, true, false, true, 1, "Classe de Vencimento"},
        {1, 1465, {1, 2, 3}, true, false, false, true, false, true, 1, "Classe de Vencimento"},
        {1, 1473, {1}, false, false, false, true, false, true, 1, "Classe de Vencimento"},
        {1, 1686, {1, 2, 3}, false, false, false, true, false, true, 2, "Classe de Vencimento"},
        {4, 2135, {1, 2, 3, 4, 5}, true, false, false, true, false, false, 0, "Classe de Serviço"},
        {7, 9784, {1, 2}, true, true, false, true, false, true, 1, "Classe de Vencimento"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.receita);
        receita(c.tipo, c.receita);
        EXPECT_EQ(form->Label4->text(), QStringLiteral("Número do Documento"));
        EXPECT_EQ(codigos(form->cmbTipoIdentificacao), c.identificacoes);
        EXPECT_EQ(form->cmbTipoIdentificacao->currentIndex(), 0);
        EXPECT_EQ(obrigatorio(form->txtNome), c.nome);
        EXPECT_EQ(obrigatorio(form->txtDDD), c.telefone);
        EXPECT_EQ(obrigatorio(form->txtFone), c.telefone);
        EXPECT_EQ(obrigatorio(form->txtNumDoctoOrigem), c.origem);
        EXPECT_EQ(obrigatorio(form->cmbClasseVecto), c.classe);
        EXPECT_EQ(obrigatorio(form->cmbMunicipio), c.municipio);
        EXPECT_EQ(obrigatorio(form->txtDataVencimento), c.vencimento);
        // what does not apply is disabled, never just uncoloured
        EXPECT_EQ(form->txtNome->isEnabled(), c.nome);
        EXPECT_EQ(form->cmbClasseVecto->isEnabled(), c.classe);
        EXPECT_EQ(grupoVisivel(), c.grupo);
        EXPECT_EQ(form->lblClasse->text(), QString::fromUtf8(c.rotuloClasse));
        EXPECT_EQ(form->cmbClasseVecto->currentIndex(), -1);
    }
}

TEST_F(FormularioZOV, ListasDosGruposDePeriodo) {
    receita(1, 1163);
    EXPECT_EQ(form->cmbTipoPeriodo->currentText(), QStringLiteral("Decendial"));
    EXPECT_EQ(form->cmbValorPeriodo->count(), 36);
    escolhe(form->cmbTipoPeriodo, 5);
    EXPECT_EQ(form->cmbValorPeriodo->count(), 2);
    EXPECT_EQ(form->cmbValorPeriodo->currentText(), QStringLiteral("1º Semestre"));

    receita(2, 1805);
    EXPECT_EQ(form->cmbQuota->count(), 4);
    EXPECT_EQ(form->cmbQuota->currentText(), QStringLiteral("1ª Cota"));
    EXPECT_EQ(form->txtAnoQuota->text(), QStringLiteral("2025"));

    receita(5, 5746);
    EXPECT_EQ(form->txtNumParcela->text(), QStringLiteral("1"));
    EXPECT_EQ(form->txtNumParcela->maxLength(), 4);

    receita(2, 1821);
    EXPECT_TRUE(obrigatorio(form->txtAno));
}

TEST_F(FormularioZOV, RegrasDaListaDeClasses) {
    // 1457: only Inscrição Estadual takes a class.
    receita(1, 1457);
    EXPECT_EQ(form->cmbClasseVecto->count(), 1);
    escolhe(form->cmbTipoIdentificacao, 2);
    EXPECT_FALSE(form->cmbClasseVecto->isEnabled());
    escolhe(form->cmbTipoIdentificacao, 1);
    EXPECT_TRUE(obrigatorio(form->cmbClasseVecto));

    // 1686: CNPJ and CPF take none.
    receita(1, 1686);
    escolhe(form->cmbTipoIdentificacao, 3);
    EXPECT_FALSE(form->cmbClasseVecto->isEnabled());

    // 2135: the service class decides the identification types; no period is shown.
    receita(4, 2135);
    escolhe(form->cmbClasseVecto, 480); // service 2424
    EXPECT_EQ(codigos(form->cmbTipoIdentificacao), QList<int>{5});
    EXPECT_EQ(grupoVisivel(), 0);
    escolhe(form->cmbClasseVecto, 483); // service 2441
    EXPECT_EQ(codigos(form->cmbTipoIdentificacao), QList<int>{3});
    escolhe(form->cmbClasseVecto, 490); // service 1203
    EXPECT_EQ(codigos(form->cmbTipoIdentificacao), (QList<int>{1, 2, 3, 4}));
    EXPECT_TRUE(obrigatorio(form->cmbClasseVecto));

    // A new revenue type empties revenues and classes and keeps the identification.
    escolhe(form->cmbTipoIdentificacao, 3);
    digita(form->txtIdentificacao, QStringLiteral("11144477735"));
    escolhe(form->cmbTipoReceita, 1);
    EXPECT_EQ(form->cmbClasseVecto->count(), 0);
    EXPECT_EQ(form->cmbReceita->currentIndex(), -1);
    EXPECT_EQ(form->txtIdentificacao->text(), QStringLiteral("111.444.777-35"));
}

TEST_F(FormularioZOV, FormularioVazioMostraTodosOsErros) {
    QTest::mouseClick(form->Imprimir, Qt::LeftButton);
    ASSERT_EQ(plataforma.mensagens.pedidos.size(), 1);
    const auto& m = plataforma.mensagens.pedidos[0];
    EXPECT_EQ(m.titulo, QStringLiteral("Erro de preenchimento no ZOVE"));
    EXPECT_EQ(m.icone, Mensagens::Icone::Critico);
    EXPECT_EQ(m.texto.toStdString(),
              QStringLiteral("Foram encontrados os seguintes erros de preechimento no ZOVE: \r\n\r\n\r\n"
                             "1 - TIPO DE RECEITA NÃO PREENCHIDO\r\n"
                             "2 - CODIGO DE RECEITA NÃO PREENCHIDO\r\n"
                             "3 - TIPO DE IDENTIFICAÇÃO NÃO PREENCHIDO\r\n"
                             "4 - NÚMERO DE IDENTIFICAÇÃO NÃO PREENCHIDO\r\n"
                             "5 - VALOR TOTAL A PAGAR DO DOCUMENTO É IGUAL A ZERO. PREENCHA O CAMPO VALOR "
                             "PRINCIPAL\r\n")
                  .toStdString());
    EXPECT_FALSE(form->documentoMontado().has_value());
}

// A clerk fills one document of each reference kind; the number is the barcode module's for the
// same facts.
TEST_F(FormularioZOV, DocumentoCompletoDeCadaReferencia) {
    struct Caso {
        int tipo, receita, identificacao;
        const char* numero;
        std::function<void(FormularioZOV&)> completa;
        // facts the barcode module is given
        const char* periodo;
        const char* origem;
        const char* classeFlag;
        const char* classe;
        const char* municipio;
        const char* referencia;
    };
    auto comum = [](FormularioZOV& t) { t.digita(t.form->txtDataVencimento, "20032025"); };
    const Caso casos[] = {
        {1, 1147, 1, "250000001",
         [&](FormularioZOV& t) {
             comum(t);
             t.escolhe(t.form->cmbClasseVecto, 104);
             t.escolhe(t.form->cmbMes1, 2);
         },
         "022025", "250000001", "1", "104", "", "Fevereiro/2025"},
        {1, 1163, 2, "11222333000181",
         [&](FormularioZOV& t) {
             comum(t);
             t.escolhe(t.form->cmbTipoPeriodo, 2);
             t.escolhe(t.form->cmbValorPeriodo, 52);
             t.digita(t.form->txtAnoPeriodo, "2024");
         },
         "522024", "11222333000181", "9", "", "", "2ª Quinzena de Fevereiro/2024"},
        {5, 5746, 3, "11144477735",
         [&](FormularioZOV& t) {
             comum(t);
             t.digita(t.form->txtNumDoctoOrigem, "124");
             t.digita(t.form->txtNumParcela, "7");
         },
         "000007", "00000124", "9", "", "", "7"},
        {2, 1805, 5, "123456789",
         [&](FormularioZOV& t) {
             comum(t);
             t.digita(t.form->txtNome, "maria");
             t.escolhe(t.form->cmbMunicipio, t.form->cmbMunicipio->itemData(0).toInt());
             t.escolhe(t.form->cmbQuota, 76);
         },
         "762025", "123456789", "9", "", "#", "Cota única/2025"},
        {2, 1821, 5, "123456789",
         [&](FormularioZOV& t) {
             comum(t);
             t.digita(t.form->txtNome, "maria");
             t.digita(t.form->txtAno, "2024");
         },
         "2024", "123456789", "9", "", "", "2024"},
        {3, 1937, 3, "11144477735",
         [&](FormularioZOV& t) {
             comum(t);
             t.digita(t.form->txtNome, "maria");
             t.digita(t.form->txtDDD, "61");
             t.digita(t.form->txtFone, "32345678");
             t.digita(t.form->txtNumDoctoOrigem, "124");
             t.escolhe(t.form->cmbMunicipio, t.form->cmbMunicipio->itemData(1).toInt());
         },
         "000000", "00000124", "9", "", "#", ""},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.receita);
        receita(c.tipo, c.receita);
        escolhe(form->cmbTipoIdentificacao, c.identificacao);
        digita(form->txtIdentificacao, QString::fromLatin1(c.numero));
        ASSERT_TRUE(plataforma.mensagens.pedidos.isEmpty())
            << plataforma.mensagens.pedidos[0].texto.toStdString();
        digita(form->txtValorPrincipal, QStringLiteral("1234,5"));
        digita(form->txtValorMulta, QStringLiteral("10"));
        c.completa(*this);
        ASSERT_TRUE(plataforma.mensagens.pedidos.isEmpty())
            << plataforma.mensagens.pedidos[0].texto.toStdString();
        EXPECT_EQ(form->txtValorTotal->text(), QStringLiteral("1.244,50"));

        // The check and the assembly Imprimir runs before its confirmation.
        ASSERT_TRUE(form->ValidaPreenchimento());
        form->GeraDocumento();
        ASSERT_TRUE(plataforma.mensagens.pedidos.isEmpty())
            << plataforma.mensagens.pedidos[0].texto.toStdString();
        ASSERT_TRUE(form->documentoMontado().has_value());

        auto dados = std::make_shared<ZovDados>();
        dados->CodReceita(QString::number(c.receita));
        dados->tipoIdentificacao(QString::number(c.identificacao));
        dados->NumIdentificacao(QString::fromLatin1(c.numero));
        dados->PeriodoReferencia(QString::fromLatin1(c.periodo));
        dados->NumDocumentoOrigem(QString::fromLatin1(c.origem));
        dados->CodClasseVencimento(QString::fromLatin1(c.classeFlag));
        if (*c.classe)
            dados->IdClasseVencimento(QString::fromLatin1(c.classe));
        if (*c.municipio)
            dados->CodMunicipio(QString::number(form->cmbMunicipio->currentData().toInt()));
        codigoDeBarra composicao(*refs);
        composicao.Dados(dados);
        QString esperado;
        const QString linha = montaNumeroCodigoBarras(124450, composicao, esperado);
        ASSERT_EQ(esperado.size(), 44);
        EXPECT_EQ(form->documentoMontado()->codigoBarras, esperado);
        EXPECT_EQ(form->lblLinhaDigitavel->text(), linha);
        EXPECT_FALSE(form->pctCodigoBarras->pixmap().isNull());
        EXPECT_EQ(form->documentoMontado()->referencia, QString::fromUtf8(c.referencia));
    }
}

TEST_F(FormularioZOV, IdentificacaoConferidaEContribuinteConhecido) {
    ASSERT_TRUE(
        refs->oZovEnv().ContribuinteInsert("11144477735", "J.R. COMERCIO LTDA.", "3", "61", "32345678"));
    receita(3, 1937);
    escolhe(form->cmbTipoIdentificacao, 3);
    digita(form->txtIdentificacao, QStringLiteral("11144477735"));
    EXPECT_EQ(form->txtIdentificacao->text(), QStringLiteral("111.444.777-35"));
    EXPECT_EQ(form->txtNome->text(), QStringLiteral("J.R. COMERCIO LTDA."));
    EXPECT_EQ(form->txtDDD->text(), QStringLiteral("61"));
    EXPECT_EQ(form->txtFone->text(), QStringLiteral("32345678"));
    // the name keeps its dots when the user enters it
    entra(form->txtNome);
    EXPECT_EQ(form->txtNome->text(), QStringLiteral("J.R. COMERCIO LTDA."));
    EXPECT_EQ(form->txtNome->selectedText(), QStringLiteral("J.R. COMERCIO LTDA."));
    entra(form->txtIdentificacao);
    EXPECT_EQ(form->txtIdentificacao->text(), QStringLiteral("11144477735"));
    EXPECT_EQ(form->txtIdentificacao->maxLength(), 11);

    // the same number under another type is another taxpayer
    escolhe(form->cmbTipoIdentificacao, 2);
    EXPECT_EQ(form->txtNome->text(), QString());
    digita(form->txtIdentificacao, QStringLiteral("11222333000182"));
    ASSERT_EQ(plataforma.mensagens.pedidos.size(), 1);
    EXPECT_EQ(plataforma.mensagens.pedidos[0].texto, QStringLiteral("Número do CNPJ é inválido!"));
    EXPECT_EQ(plataforma.mensagens.pedidos[0].icone, Mensagens::Icone::Critico);
    EXPECT_TRUE(form->txtIdentificacao->hasFocus());
    EXPECT_EQ(form->txtIdentificacao->text(), QStringLiteral("11222333000182"));
}

TEST_F(FormularioZOV, ChecagensAoSairDosCampos) {
    receita(1, 1147);
    struct Caso {
        QLineEdit* campo;
        const char* digitado;
        const char* mensagem; // empty: accepted
        const char* mostrado;
    };
    const Caso casos[] = {
        {form->txtDataVencimento, "31022025", "Data inválida", "31022025"},
        {form->txtDataVencimento, "01011980", "Ano deve ser entre 1990 e 2040", "01/01/1980"},
        {form->txtDataVencimento, "10032025", "", "10/03/2025"},
        {form->txtAno1, "1980", "Ano deve ser entre 1990 e 2040", "1980"},
        {form->txtAno1, "2024", "", "2024"},
        {form->txtValorPrincipal, "1234,5", "", "1.234,50"},
        {form->txtValorPrincipal, "", "", "0,00"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.digitado);
        plataforma.mensagens.pedidos.clear();
        entra(c.campo);
        c.campo->selectAll();
        QTest::keyClick(c.campo, Qt::Key_Backspace);
        QTest::keyClicks(c.campo, QString::fromLatin1(c.digitado));
        QTest::keyClick(c.campo, Qt::Key_Tab);
        EXPECT_EQ(c.campo->text(), QString::fromLatin1(c.mostrado));
        if (*c.mensagem) {
            ASSERT_EQ(plataforma.mensagens.pedidos.size(), 1);
            EXPECT_TRUE(plataforma.mensagens.pedidos[0].texto.startsWith(QString::fromUtf8(c.mensagem)));
            // the message says which field it is about
            EXPECT_TRUE(plataforma.mensagens.pedidos[0].texto.contains(QStringLiteral("Campo: ")));
            EXPECT_TRUE(c.campo->hasFocus());
        } else {
            EXPECT_TRUE(plataforma.mensagens.pedidos.isEmpty());
            EXPECT_FALSE(c.campo->hasFocus());
        }
    }
    EXPECT_EQ(form->txtValorTotal->text(), QStringLiteral("0,00"));

    // The comma of 12345678,5 deleted: nine integer digits are refused when the field is left.
    plataforma.mensagens.pedidos.clear();
    entra(form->txtValorPrincipal);
    QTest::keyClicks(form->txtValorPrincipal, QStringLiteral("12345678,5"));
    QTest::keyClick(form->txtValorPrincipal, Qt::Key_Left);
    QTest::keyClick(form->txtValorPrincipal, Qt::Key_Backspace);
    QTest::keyClick(form->txtValorPrincipal, Qt::Key_Tab);
    EXPECT_EQ(form->txtValorPrincipal->text(), QStringLiteral("123456785"));
    ASSERT_EQ(plataforma.mensagens.pedidos.size(), 1);
    EXPECT_TRUE(plataforma.mensagens.pedidos[0].texto.startsWith(QStringLiteral("Valor inválido")));
    EXPECT_TRUE(form->txtValorPrincipal->hasFocus());
    EXPECT_EQ(form->txtValorTotal->text(), QStringLiteral("0,00"));
    form->txtValorPrincipal->clear();

    digita(form->txtValorPrincipal, QStringLiteral("1234,5"));
    EXPECT_EQ(form->txtValorTotal->text(), QStringLiteral("1.234,50"));
    entra(form->txtValorPrincipal);
    EXPECT_EQ(form->txtValorPrincipal->text(), QStringLiteral("1234,50"));
    EXPECT_EQ(form->txtValorPrincipal->selectedText(), QStringLiteral("1234,50"));
    QTest::keyClick(form->txtValorPrincipal, Qt::Key_Tab);
    entra(form->txtValorJuros);
    EXPECT_EQ(form->txtValorJuros->text(), QString());

    // Imprimir pressed without taking the focus (as its Alt+I shortcut does) leaves the field being
    // edited first.
    QTest::keyClicks(form->txtValorJuros, QStringLiteral("5"));
    plataforma.mensagens.pedidos.clear();
    form->Imprimir->click();
    EXPECT_EQ(form->txtValorJuros->text(), QStringLiteral("5,00"));
    EXPECT_EQ(form->txtValorTotal->text(), QStringLiteral("1.239,50"));
    ASSERT_EQ(plataforma.mensagens.pedidos.size(), 1);
    EXPECT_EQ(plataforma.mensagens.pedidos[0].titulo, QStringLiteral("Erro de preenchimento no ZOVE"));
}

TEST_F(FormularioZOV, TeclasEColagensFiltradas) {
    receita(3, 1937);
    auto cola = [&](QLineEdit* campo, const QString& texto) {
        entra(campo);
        campo->selectAll();
        QTest::keyClick(campo, Qt::Key_Backspace);
        QApplication::clipboard()->setText(texto);
        QTest::keyClick(campo, Qt::Key_V, Qt::ControlModifier);
        return campo->text();
    };
    EXPECT_EQ(cola(form->txtDDD, QStringLiteral("6a1")), QStringLiteral("61"));
    EXPECT_EQ(cola(form->txtNumDoctoOrigem, QStringLiteral("1.2|\r\n4")), QStringLiteral("124"));
    EXPECT_EQ(cola(form->txtValorPrincipal, QStringLiteral("1234567890")), QStringLiteral("12345678,90"));
    EXPECT_EQ(cola(form->txtValorMulta, QStringLiteral("12,345")), QStringLiteral("12,34"));
    EXPECT_EQ(cola(form->txtNome, QStringLiteral("j.r. com|ercio\nltda.")),
              QStringLiteral("J.R. COMERCIOLTDA."));
    EXPECT_EQ(cola(form->txtDataMaxPagto, QStringLiteral("31/03|/2025")), QStringLiteral("31/03/2025"));

    entra(form->txtFone);
    QTest::keyClicks(form->txtFone, QStringLiteral("32a-4"));
    EXPECT_EQ(form->txtFone->text(), QStringLiteral("324"));
    entra(form->txtNome);
    form->txtNome->selectAll();
    tecla(form->txtNome, QStringLiteral("ação|"));
    EXPECT_EQ(form->txtNome->text(), QStringLiteral("AÇÃO"));
}

// Accents composed by an input method (dead keys) go through the same filters as typed keys.
TEST_F(FormularioZOV, TextoDeMetodoDeEntradaFiltrado) {
    receita(3, 1937);
    auto compoe = [&](QLineEdit* campo, const QString& texto) {
        entra(campo);
        campo->selectAll();
        QTest::keyClick(campo, Qt::Key_Backspace);
        QInputMethodEvent acento(QStringLiteral("´"), {});
        QApplication::sendEvent(campo, &acento);
        QInputMethodEvent composto;
        composto.setCommitString(texto);
        QApplication::sendEvent(campo, &composto);
        const QString resultado = campo->text();
        // Emptied again, so leaving the field checks nothing.
        campo->selectAll();
        QTest::keyClick(campo, Qt::Key_Backspace);
        return resultado;
    };
    EXPECT_EQ(compoe(form->txtNome, QStringLiteral("josé")), QStringLiteral("JOSÉ"));
    EXPECT_EQ(compoe(form->txtNumDoctoOrigem, QStringLiteral("ã|7")), QStringLiteral("7"));
    EXPECT_EQ(compoe(form->txtValorPrincipal, QStringLiteral("5é,5")), QStringLiteral("5,5"));
    EXPECT_EQ(compoe(form->txtIdentificacao, QStringLiteral("1á2")), QStringLiteral("12"));
}

// Escape does not close the form and lose what was typed.
TEST_F(FormularioZOV, EscNaoFechaOFormulario) {
    receita(3, 1937);
    digita(form->txtNome, QStringLiteral("maria"));
    entra(form->txtDDD);
    QTest::keyClick(form->txtDDD, Qt::Key_Escape);
    QTest::keyClick(form->cmbReceita, Qt::Key_Escape);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->txtNome->text(), QStringLiteral("MARIA"));
}

TEST_F(FormularioZOV, EnterLevaAoProximoCampo) {
    receita(3, 1937);
    entra(form->txtIdentificacao);
    QTest::keyClick(form->txtIdentificacao, Qt::Key_Return);
    EXPECT_TRUE(form->txtNome->hasFocus());
    QTest::keyClick(form->txtNome, Qt::Key_Return);
    EXPECT_TRUE(form->txtDDD->hasFocus());

    // On a button, Enter presses it.
    form->Imprimir->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(form->Imprimir->hasFocus());
    QTest::keyClick(form->Imprimir, Qt::Key_Return);
    ASSERT_EQ(plataforma.mensagens.pedidos.size(), 1);
    EXPECT_EQ(plataforma.mensagens.pedidos[0].titulo, QStringLiteral("Erro de preenchimento no ZOVE"));
    EXPECT_TRUE(form->Imprimir->hasFocus());
    // Back in a field, Enter moves on again.
    entra(form->txtDDD);
    QTest::keyClick(form->txtDDD, Qt::Key_Return);
    EXPECT_TRUE(form->txtFone->hasFocus());
}

// A revenue without a due date does not inherit, on a greyed field, the date typed for the previous one.
TEST_F(FormularioZOV, VencimentoDaReceitaAnteriorNaoFicaNaQueNaoTem) {
    receita(3, 1937);
    digita(form->txtDataVencimento, QStringLiteral("20032025"));
    ASSERT_EQ(form->txtDataVencimento->text(), QStringLiteral("20/03/2025"));
    receita(8, 7307);
    EXPECT_FALSE(form->txtDataVencimento->isEnabled());
    EXPECT_TRUE(form->txtDataVencimento->text().isEmpty());
    EXPECT_TRUE(form->leFormulario().dataVencimento.isEmpty());
    // Back on a revenue with one, the field is open and empty for the new date.
    receita(3, 1937);
    EXPECT_TRUE(form->txtDataVencimento->isEnabled());
    EXPECT_TRUE(form->txtDataVencimento->text().isEmpty());
}

TEST_F(FormularioZOV, LimiteDoDocumentoOrigemSoNaReceita1570) {
    // Offer 1570 for issuing here.
    const QString arquivo = pasta.arquivo(QStringLiteral("mab_valida_doc"));
    QStringList linhas = QString::fromLatin1(teste::leArquivo(arquivo)).split(QStringLiteral("\r\n"));
    while (!linhas.isEmpty() && (linhas.last().isEmpty() || linhas.last().startsWith(QStringLiteral(":):)"))))
        linhas.removeLast();
    for (QString& l : linhas) {
        if (l.startsWith(QStringLiteral("1570|"))) {
            QStringList campos = l.split(QLatin1Char('|'));
            campos[11] = QStringLiteral("1");
            l = campos.join(QLatin1Char('|'));
        }
    }
    teste::escreveTabela(arquivo, linhas, true);
    abre();

    receita(1, 1570);
    EXPECT_EQ(form->txtNumDoctoOrigem->maxLength(), 6);
    receita(1, 1147);
    EXPECT_GT(form->txtNumDoctoOrigem->maxLength(), 6);
}

TEST_F(FormularioZOV, ReceitaSemRegraUnicaDesligaNomeETelefone) {
    // 1147 has its row; a revenue whose rows were doubled has none to follow.
    receita(7, 9784);
    EXPECT_TRUE(form->txtNome->isEnabled());
    const QString arquivo = pasta.arquivo(QStringLiteral("mab_valida_doc"));
    QStringList linhas = QString::fromLatin1(teste::leArquivo(arquivo)).split(QStringLiteral("\r\n"));
    while (!linhas.isEmpty() && (linhas.last().isEmpty() || linhas.last().startsWith(QStringLiteral(":):)"))))
        linhas.removeLast();
    for (const QString& l : QStringList(linhas)) {
        if (l.startsWith(QStringLiteral("9784|")))
            linhas.append(l);
    }
    teste::escreveTabela(arquivo, linhas, true);
    abre();
    receita(7, 9784);
    EXPECT_EQ(form->Label4->text(), QString());
    EXPECT_FALSE(form->txtNome->isEnabled());
    EXPECT_FALSE(form->txtDDD->isEnabled());
    EXPECT_FALSE(form->cmbClasseVecto->isEnabled());
    EXPECT_EQ(form->cmbClasseVecto->count(), 0);
    EXPECT_EQ(codigos(form->cmbTipoIdentificacao), (QList<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(grupoVisivel(), 1);
}

// A parcel typed as 1000 is refused by the check, never cut to 100 and printed as such.
TEST_F(FormularioZOV, ParcelaDeQuatroDigitosERecusada) {
    receita(5, 5746);
    escolhe(form->cmbTipoIdentificacao, 3);
    digita(form->txtIdentificacao, QStringLiteral("11144477735"));
    digita(form->txtDataVencimento, QStringLiteral("20032025"));
    digita(form->txtNumDoctoOrigem, QStringLiteral("124"));
    digita(form->txtNumParcela, QStringLiteral("1000"));
    digita(form->txtValorPrincipal, QStringLiteral("10"));
    EXPECT_EQ(form->txtNumParcela->text(), QStringLiteral("1000"));
    plataforma.mensagens.pedidos.clear();
    QTest::mouseClick(form->Imprimir, Qt::LeftButton);
    ASSERT_EQ(plataforma.mensagens.pedidos.size(), 1);
    // The list of errors is shown in capitals.
    EXPECT_TRUE(plataforma.mensagens.pedidos[0].texto.contains(
        QStringLiteral(" - Número da parcela deve estar entre 1 e 999").toUpper()))
        << plataforma.mensagens.pedidos[0].texto.toStdString();
    EXPECT_FALSE(form->documentoMontado().has_value());
}

// A field the check refuses keeps the focus against other fields, but never against Limpar or Sair.
TEST_F(FormularioZOV, LimparESairFuncionamComCampoInvalido) {
    for (const bool sair : {false, true}) {
        SCOPED_TRACE(sair ? "Sair" : "Limpar");
        abre();
        receita(5, 5746);
        escolhe(form->cmbTipoIdentificacao, 3);
        entra(form->txtIdentificacao);
        QTest::keyClicks(form->txtIdentificacao, QStringLiteral("11144477700"));
        plataforma.mensagens.pedidos.clear();
        // Another field: the invalid CPF is refused and keeps the focus.
        form->txtValorPrincipal->setFocus(Qt::MouseFocusReason);
        ASSERT_EQ(plataforma.mensagens.pedidos.size(), 1);
        EXPECT_TRUE(form->txtIdentificacao->hasFocus());
        plataforma.mensagens.pedidos.clear();

        QTest::mouseClick(sair ? form->Sair : form->Limpar, Qt::LeftButton);
        EXPECT_TRUE(plataforma.mensagens.pedidos.isEmpty())
            << plataforma.mensagens.pedidos.value(0).texto.toStdString();
        if (sair) {
            EXPECT_FALSE(form->isVisible());
        } else {
            EXPECT_TRUE(form->txtIdentificacao->text().isEmpty());
            EXPECT_EQ(form->cmbReceita->currentIndex(), -1);
        }
    }
}

// A revenue without a reference group leaves spare height below the groups, never inside them.
TEST_F(FormularioZOV, GruposMantemAlturaNaturalSemGrupoDeReferencia) {
    form->resize(1000, 900);
    receita(3, 1937);
    ASSERT_EQ(grupoVisivel(), 0);
    QCoreApplication::processEvents();
    QGroupBox* valores = form->FrameCalculoValorPagar;
    EXPECT_LE(valores->height(), valores->sizeHint().height() + 2);
    // The label of a field stays beside it: the principal amount sits near the group's top.
    EXPECT_LT(form->txtValorPrincipal->mapTo(valores, QPoint(0, 0)).y(), valores->sizeHint().height());
}
