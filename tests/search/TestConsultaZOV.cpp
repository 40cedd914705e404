// The saved-document search window through its real controls, over a temporary copy of the delivered
// data folder with a few saved documents; the entry form is a recording double.
#include "data/Referencias.h"
#include "data/ZovEnv_Simulator.h"
#include "platform/PlataformaDeTeste.h"
#include "search/FormularioDocumento.h"
#include "search/FrmConsultaZOV.h"
#include "support/TestSupport.h"
#include "tabulon/Funcoes.h"
#include "tabulon/Init.h"

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

using zove::FrmConsultaZOV;
using zove::Mensagens;

namespace {

const QString kCabecalhoZOV = QStringLiteral(
    "NUM_DOCUMENTO|TIPO_DOCUMENTO_IDENT|NUM_DOCUMENTO_IDENT|COD_RECEITA|REFERENCIA|NUM_DOCUMENTO_ORIGEM|"
    "DATA_VENCIMENTO|DATA_CALCULO|VALOR_PRINCIPAL|VALOR_JUROS|VALOR_MULTA|VALOR_CORRECAO|VALOR_TOTAL|"
    "DATA_ATUALIZACAO|COD_UF|COD_MUNICIPIO|COD_CLASSE_VECTO|IMPRESO");

QString documento(const QString& num, const QString& receita, const QString& ident, const QString& total,
                  const QString& impresso = QStringLiteral("0")) {
    return QStringLiteral("%1|3|%2|%3|200503|0|10/04/2005|30/04/2005|%4|0|0|0|%4|0%1/04/2005|OL|0|0|%5")
        .arg(num, ident, receita, total, impresso);
}

class FormularioGravado : public zove::FormularioDocumento {
public:
    struct Impressao {
        QString numero;
        bool janelaHabilitada;
        bool comProgresso;
    };
    QStringList abertos;
    QList<Impressao> impressoes;
    QString falhaEm;
    // Called after each document is "sent", as if the clerk acted while the batch runs.
    std::function<void(const QString& numero)> depois;
    // When set, the pages go to PDF files in this folder, as on a machine without a printer.
    QString pastaPdf;
    FrmConsultaZOV* janela = nullptr;

    // Called while the document is open, as if the clerk saved it or changed the tables meanwhile.
    std::function<void(const QString& numero)> aoAbrir;

    void abrir(QWidget*, const QString& numero) override {
        abertos.append(numero);
        if (aoAbrir)
            aoAbrir(numero);
    }
    zove::ImpressaoDocumento imprimir(QWidget*, const QString& numero) override {
        const auto* progresso = janela->findChild<QProgressDialog*>(QStringLiteral("progressoImpressao"));
        impressoes.append({numero, janela->isEnabled(), progresso && progresso->isVisible()});
        if (numero == falhaEm) {
            zove::ImpressaoDocumento falha;
            falha.motivo = QStringLiteral("a fila \"fila-teste\" não está aceitando trabalhos");
            return falha;
        }
        if (depois)
            depois(numero);
        zove::ImpressaoDocumento r;
        r.impresso = true;
        r.arquivoPdf = pastaPdf.isEmpty() ? QString() : QDir(pastaPdf).filePath("ZOVE_" + numero + ".pdf");
        return r;
    }
    QStringList numerosImpressos() const {
        QStringList n;
        for (const auto& i : impressoes)
            n.append(i.numero);
        return n;
    }
};

class Consulta : public ::testing::Test {
protected:
    void SetUp() override {
        teste::escreveTabela(dados.arquivo("ZOV"),
                             {kCabecalhoZOV, documento("1", "1147", "11122233344", "1234,5", "1"),
                              documento("2", "1805", "11122233344", "10"),
                              documento("3", "1147", "12345678000190", "99999,99"),
                              documento("4", "1821", "98765432100", "0,5", "1"),
                              documento("5", "1147", "55566677788", "7") /* taxpayer not saved */},
                             false);
        teste::escreveTabela(
            dados.arquivo("CONTRIBUINTE"),
            {QStringLiteral("TIPO_DOCUMENTO|DOCUMENTO_IDENTIFICACAO|RAZAO_SOCIAL|NUM_DDD|NUM_FONE"),
             "3|11122233344|Maria da Silva|61|5551234",
             "2|12345678000190|PADARIA CONCEI&Ccedil;&Atilde;O LTDA|11|1234",
             QStringLiteral("3|98765432100|JOSÉ SILVANO|21|9")},
            false);
        refs = zove::Referencias::carregar(dados.caminho());
        janela = std::make_unique<FrmConsultaZOV>(*refs, plataforma.plataforma(), &formulario);
        formulario.janela = janela.get();
        janela->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(janela.get()));
    }

    QStringList linhas() const {
        QStringList n;
        for (int i = 0; i < janela->linhas(); ++i)
            n.append(janela->numeroDaLinha(i));
        return n;
    }
    void escolhe(QComboBox* combo, const QString& texto) {
        const int i = combo->findText(texto, texto.isEmpty() ? Qt::MatchExactly : Qt::MatchStartsWith);
        ASSERT_GE(i, 0) << texto.toStdString();
        combo->setCurrentIndex(i);
        emit combo->activated(i);
    }
    void pesquisa() { QTest::mouseClick(janela->Pesquisar, Qt::LeftButton); }
    // Selects the rows with these numbers; the current row is the first of them.
    void seleciona(const QStringList& numeros) {
        janela->ListView1->clearSelection();
        bool primeiro = true;
        for (int i = 0; i < janela->linhas(); ++i) {
            if (!numeros.contains(janela->numeroDaLinha(i)))
                continue;
            const auto como = QItemSelectionModel::Select | QItemSelectionModel::Rows;
            if (primeiro)
                janela->ListView1->selectionModel()->setCurrentIndex(indice(i), como);
            else
                janela->ListView1->selectionModel()->select(indice(i), como);
            primeiro = false;
        }
    }
    QModelIndex indice(int linha, int coluna = 0) const {
        return janela->ListView1->model()->index(linha, coluna);
    }
    QString celula(int linha, int coluna) const { return indice(linha, coluna).data().toString(); }
    // The current row is `atual`, which is not selected; `outra` is.
    void atualSemSelecao(int atual, int outra) {
        auto* selecao = janela->ListView1->selectionModel();
        selecao->setCurrentIndex(indice(atual), QItemSelectionModel::NoUpdate);
        selecao->select(indice(atual), QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
        if (outra >= 0)
            selecao->select(indice(outra), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QStringList numerosNoArquivo() const {
        tabulon::Init init;
        init.sDiretorioDados(dados.caminho());
        QStringList n;
        // Held here: a range-for over *CarregarZOV() would walk a collection already destroyed.
        const auto zovs = init.CarregarZOV();
        for (const auto& z : *zovs)
            n.append(z->NUM_DOCUMENTO);
        return n;
    }

    // The printed mark of each document as the file holds it.
    QMap<QString, QString> impressosNoArquivo() const {
        tabulon::Init init;
        init.sDiretorioDados(dados.caminho());
        QMap<QString, QString> m;
        const auto zovs = init.CarregarZOV();
        for (const auto& z : *zovs)
            m.insert(z->NUM_DOCUMENTO, z->IMPRESSO);
        return m;
    }
    int* contaEscritasDoZOV() {
        refs->oZovEnv().defineGravador(
            [this](const QString& caminho, const QByteArray& conteudo, QString* erro) {
                if (QFileInfo(caminho).fileName() == QLatin1String("ZOV"))
                    ++escritasZOV;
                return tabulon::gravaArquivoAtomico(caminho, conteudo, erro);
            });
        return &escritasZOV;
    }

    int escritasZOV = 0;
    teste::PastaDados dados;
    teste::PlataformaDeTeste plataforma;
    FormularioGravado formulario;
    std::unique_ptr<zove::Referencias> refs;
    std::unique_ptr<FrmConsultaZOV> janela;
};

TEST_F(Consulta, OpensWithItsListsColumnsAndCount) {
    EXPECT_EQ(janela->windowTitle(), QStringLiteral("Consultar Documentos Emitidos"));
    const QComboBox* tipo = janela->cmbTipoReceita;
    ASSERT_EQ(tipo->count(), refs->oMAB_TIPO_RECEITAs->Count() + 1);
    EXPECT_EQ(tipo->itemText(0), QString());
    EXPECT_EQ(tipo->itemText(1), refs->oMAB_TIPO_RECEITAs->Item(1)->MTR_DESCRICAO);
    EXPECT_EQ(tipo->itemData(1).toInt(), 1);
    // Revenues of type 0: none, only the first item.
    ASSERT_EQ(janela->cmbReceita->count(), 1);
    EXPECT_EQ(janela->cmbReceita->itemText(0), QStringLiteral("<Nenhuma receita selecionada>"));
    EXPECT_EQ(janela->cmbReceita->itemData(0).toInt(), -1);
    EXPECT_EQ(janela->cmbImpreso->count(), 3);
    EXPECT_EQ(janela->cmbImpreso->itemText(1), QStringLiteral("Sim"));
    EXPECT_EQ(janela->cmbImpreso->itemText(2), QStringLiteral("Não"));

    const QAbstractItemModel* modelo = janela->ListView1->model();
    QStringList colunas;
    for (int i = 0; i < modelo->columnCount(); ++i)
        colunas.append(modelo->headerData(i, Qt::Horizontal).toString());
    EXPECT_EQ(colunas, (QStringList{"ZOVE", "Receita", QStringLiteral("Identificação"),
                                    QStringLiteral("Razão Social/Nome"),
                                    QStringLiteral("Data da Geração/Digitação"), "Total"}));
    // Every caption shows whole, and the clerk may resize each column.
    const QFontMetrics medida = janela->ListView1->header()->fontMetrics();
    for (int i = 0; i < 6; ++i) {
        EXPECT_GE(janela->ListView1->header()->sectionSize(i), medida.horizontalAdvance(colunas[i])) << i;
        EXPECT_EQ(janela->ListView1->header()->sectionResizeMode(i), QHeaderView::Interactive) << i;
    }
    EXPECT_EQ(janela->lblRegistro->text(), QStringLiteral("Registro(s): 0"));

    // Choosing a type lists its revenues as "name - code"; the empty type goes back to type 0.
    escolhe(janela->cmbTipoReceita, QStringLiteral("IPVA"));
    EXPECT_GT(janela->cmbReceita->count(), 1);
    EXPECT_TRUE(janela->cmbReceita->itemText(1).endsWith(QStringLiteral(" - 1805")));
    EXPECT_EQ(janela->cmbReceita->itemData(1).toInt(), 1805);
    EXPECT_EQ(janela->cmbReceita->currentIndex(), 0);
    escolhe(janela->cmbTipoReceita, QString());
    EXPECT_EQ(janela->cmbReceita->count(), 1);
}

TEST_F(Consulta, SearchesByEachCriterionAndTogether) {
    struct Caso {
        const char* nome;
        QString tipo, receita, identificacao, nomeFiltro, impresso;
        QStringList esperado;
    };
    const QString nenhum;
    const Caso casos[] = {
        {"no criteria", nenhum, nenhum, "", "", "", {"1", "2", "3", "4"}},
        {"type", "ICMS", nenhum, "", "", "", {"1", "3"}},
        {"revenue", "IPVA", "IPVA - Cotas", "", "", "", {"2"}},
        {"other type", "IPVA", nenhum, "", "", "", {"2", "4"}},
        {"identification", nenhum, nenhum, "11122233344", "", "", {"1", "2"}},
        {"name in mixed case", nenhum, nenhum, "", "Silva", "", {"1", "2", "4"}},
        {"name with accents", nenhum, nenhum, "", QStringLiteral("  Conceição "), "", {"3"}},
        {"printed", nenhum, nenhum, "", "", "Sim", {"1", "4"}},
        {"not printed", nenhum, nenhum, "", "", QStringLiteral("Não"), {"2", "3"}},
        {"together", "ICMS", nenhum, "11122233344", "maria", "Sim", {"1"}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        escolhe(janela->cmbTipoReceita, c.tipo);
        if (!c.receita.isEmpty())
            escolhe(janela->cmbReceita, c.receita);
        janela->txtIdentificacao->setText(c.identificacao);
        janela->txtNome->setText(c.nomeFiltro);
        escolhe(janela->cmbImpreso, c.impresso);
        pesquisa();
        EXPECT_EQ(linhas(), c.esperado);
        EXPECT_EQ(janela->lblRegistro->text(), QStringLiteral("Registro(s): %1").arg(c.esperado.size()));
    }
    EXPECT_TRUE(plataforma.mensagens.pedidos.isEmpty());

    // Nothing found: the notice, an empty list and a count of 0.
    janela->txtNome->setText(QStringLiteral("ninguém"));
    pesquisa();
    EXPECT_TRUE(linhas().isEmpty());
    EXPECT_EQ(janela->lblRegistro->text(), QStringLiteral("Registro(s): 0"));
    ASSERT_EQ(plataforma.mensagens.pedidos.size(), 1);
    EXPECT_EQ(plataforma.mensagens.pedidos[0].texto, QStringLiteral("Nenhum registro encontrado"));
    EXPECT_EQ(plataforma.mensagens.pedidos[0].titulo, QStringLiteral("Aviso"));
    EXPECT_EQ(plataforma.mensagens.pedidos[0].icone, Mensagens::Icone::Informacao);
}

TEST_F(Consulta, RowsShowRevenueTaxpayerAndTotal) {
    pesquisa();
    ASSERT_GE(janela->linhas(), 3);
    QStringList texto;
    for (int i = 0; i < 6; ++i)
        texto.append(celula(0, i));
    EXPECT_EQ(texto.at(0), "1");
    EXPECT_TRUE(texto.at(1).startsWith(QStringLiteral("1147 - ICMS - Operações Próprias")));
    EXPECT_EQ(texto.mid(2), (QStringList{"11122233344", "Maria da Silva", "01/04/2005", "1.234,50"}));
    EXPECT_EQ(celula(2, 5), QStringLiteral("99.999,99"));
    // The revenue column is as wide as its longest text in view: nothing is cut.
    const QFontMetrics medida = janela->ListView1->fontMetrics();
    for (int linha = 0; linha < janela->linhas(); ++linha)
        EXPECT_GE(janela->ListView1->columnWidth(1), medida.horizontalAdvance(celula(linha, 1))) << linha;
}

TEST_F(Consulta, IdentificationTakesDigitsOnlyAndNameKeepsItsDots) {
    QTest::keyClicks(janela->txtIdentificacao, QStringLiteral("111.222a333-44"));
    EXPECT_EQ(janela->txtIdentificacao->text(), QStringLiteral("11122233344"));
    janela->txtNome->setText(QStringLiteral("J. SILVA"));
    janela->txtNome->setFocus();
    QTest::qWait(20);
    EXPECT_EQ(janela->txtNome->text(), QStringLiteral("J. SILVA"));
    EXPECT_EQ(janela->txtNome->selectedText(), QStringLiteral("J. SILVA"));

    // <Enter> moves the focus on, as a Tab would.
    QWidget* antes = QApplication::focusWidget();
    QTest::mouseClick(janela->cmdEnter, Qt::LeftButton);
    EXPECT_NE(QApplication::focusWidget(), antes);
}

// What was saved while a document was open shows in the list on return, and the document stays the
// current row.
TEST_F(Consulta, TheListFollowsWhatWasSavedWhileADocumentWasOpen) {
    pesquisa();
    const QStringList antes = linhas();
    ASSERT_TRUE(antes.contains("1") && antes.contains("3"));
    formulario.aoAbrir = [&](const QString&) { ASSERT_TRUE(refs->oZovEnv().ZOVDelete("1")); };
    seleciona({"3"});
    QTest::mouseClick(janela->Selecionar, Qt::LeftButton);
    QStringList esperado = antes;
    esperado.removeAll("1");
    EXPECT_EQ(linhas(), esperado);
    const QModelIndex atual = janela->ListView1->currentIndex();
    ASSERT_TRUE(atual.isValid());
    EXPECT_EQ(janela->numeroDaLinha(atual.row()), "3");
    EXPECT_TRUE(janela->ListView1->selectionModel()->isRowSelected(atual.row(), {}));
}

TEST_F(Consulta, OpensTheSelectedCurrentRowOnly) {
    pesquisa();
    seleciona({"3"});
    QTest::mouseClick(janela->Selecionar, Qt::LeftButton);
    EXPECT_EQ(formulario.abertos, QStringList{"3"});

    // Rows selected but the current row not selected: nothing opens.
    atualSemSelecao(0, 1);
    QTest::mouseClick(janela->Selecionar, Qt::LeftButton);
    EXPECT_EQ(formulario.abertos, QStringList{"3"});

    emit janela->ListView1->doubleClicked(indice(1));
    seleciona({"2"});
    emit janela->ListView1->doubleClicked(indice(1));
    EXPECT_EQ(formulario.abertos, (QStringList{"3", "2"}));
}

TEST_F(Consulta, BatchPrintAsksOncePrintsInListOrderAndLocksTheWindow) {
    pesquisa();
    QTest::mouseClick(janela->cmdImprimir, Qt::LeftButton);
    ASSERT_EQ(plataforma.mensagens.pedidos.size(), 1);
    EXPECT_EQ(plataforma.mensagens.pedidos[0].texto,
              QStringLiteral("Deve Selecionar pelo menos um Registro"));
    EXPECT_EQ(plataforma.mensagens.pedidos[0].icone, Mensagens::Icone::Critico);

    seleciona({"4", "1", "2", "3"});
    plataforma.mensagens.respostas = {Mensagens::Resposta::Nao};
    QTest::mouseClick(janela->cmdImprimir, Qt::LeftButton);
    ASSERT_EQ(plataforma.mensagens.pedidos.size(), 2);
    EXPECT_EQ(plataforma.mensagens.pedidos[1].texto,
              QStringLiteral(
                  "Instruções para impressão do ZOVE\r\n\r\n1. Utilize impressora jato de tinta ou laser;\r\n"
                  "2. Utilize qualidade de impressão normal. Não utilize as opções\r\n"
                  "   Rascunho ou Econômica;\r\n"
                  "3. Imprima este documento em folha A4 (210 x 297 mm) de cor branca;\r\n"
                  "4. Não fure, dobre, amasse, rasure ou risque o código de barras\r\n\r\n\r\n"
                  "Confirma a impressão?"));
    EXPECT_EQ(plataforma.mensagens.pedidos[1].botoes, Mensagens::Botoes::SimNao);
    EXPECT_EQ(plataforma.mensagens.pedidos[1].icone, Mensagens::Icone::Informacao);
    EXPECT_TRUE(formulario.impressoes.isEmpty());

    QTest::mouseClick(janela->cmdImprimir, Qt::LeftButton);
    EXPECT_EQ(formulario.numerosImpressos(), (QStringList{"1", "2", "3", "4"}));
    for (const auto& i : formulario.impressoes) {
        EXPECT_FALSE(i.janelaHabilitada) << i.numero.toStdString();
        EXPECT_TRUE(i.comProgresso) << i.numero.toStdString();
    }
    EXPECT_TRUE(janela->isEnabled());
    EXPECT_FALSE(janela->findChild<QProgressDialog*>());
    EXPECT_EQ(plataforma.mensagens.pedidos.last().texto, QStringLiteral("Impressão efetuada com sucesso!"));
    EXPECT_EQ(plataforma.mensagens.pedidos.last().titulo, QStringLiteral("Aviso"));
}

TEST_F(Consulta, BatchPrintStopsAtTheFailingDocumentAndSaysSo) {
    pesquisa();
    seleciona({"1", "2", "3"});
    formulario.falhaEm = "2";
    QTest::mouseClick(janela->cmdImprimir, Qt::LeftButton);
    EXPECT_EQ(formulario.numerosImpressos(), (QStringList{"1", "2"}));
    EXPECT_FALSE(formulario.impressoes[0].comProgresso) << "three documents need no progress window";
    EXPECT_TRUE(janela->isEnabled());
    const auto& ultima = plataforma.mensagens.pedidos.last();
    EXPECT_TRUE(ultima.texto.contains(QStringLiteral("documento 2")));
    EXPECT_TRUE(ultima.texto.contains(QStringLiteral("impresso(s): 1 de 3")));
    for (const auto& m : plataforma.mensagens.pedidos)
        EXPECT_NE(m.texto, QStringLiteral("Impressão efetuada com sucesso!"));
}

TEST_F(Consulta, BatchPrintRecordsEveryPrintedMarkInOneWriteAndTheListShowsThem) {
    const int* escritas = contaEscritasDoZOV();
    escolhe(janela->cmbImpreso, QStringLiteral("Não"));
    pesquisa();
    ASSERT_EQ(linhas(), (QStringList{"2", "3"}));
    seleciona({"2", "3"});
    const auto antes = plataforma.mensagens.pedidos.size();
    QTest::mouseClick(janela->cmdImprimir, Qt::LeftButton);
    EXPECT_EQ(formulario.numerosImpressos(), (QStringList{"2", "3"}));
    EXPECT_EQ(*escritas, 1);
    const auto marcas = impressosNoArquivo();
    for (const char* n : {"1", "2", "3", "4"})
        EXPECT_EQ(marcas.value(n), QStringLiteral("1")) << n;
    EXPECT_EQ(marcas.value("5"), QStringLiteral("0"));
    // The "not printed" list no longer holds what was just printed, and says so without a notice.
    EXPECT_TRUE(linhas().isEmpty());
    EXPECT_EQ(janela->lblRegistro->text(), QStringLiteral("Registro(s): 0"));
    ASSERT_EQ(plataforma.mensagens.pedidos.size(), antes + 2);
    EXPECT_EQ(plataforma.mensagens.pedidos.last().texto, QStringLiteral("Impressão efetuada com sucesso!"));
}

TEST_F(Consulta, ADocumentThatFailsKeepsTheMarksOfThoseBeforeItAndTellsWhy) {
    pesquisa();
    seleciona({"2", "3"});
    formulario.falhaEm = "3";
    QTest::mouseClick(janela->cmdImprimir, Qt::LeftButton);
    const auto marcas = impressosNoArquivo();
    EXPECT_EQ(marcas.value("2"), QStringLiteral("1"));
    EXPECT_EQ(marcas.value("3"), QStringLiteral("0"));
    EXPECT_TRUE(
        plataforma.mensagens.pedidos.last().texto.contains(QStringLiteral("não está aceitando trabalhos")));
}

TEST_F(Consulta, CancelOrEscStopsTheBatchAndKeepsWhatWasPrinted) {
    for (const bool porEsc : {false, true}) {
        SCOPED_TRACE(porEsc ? "Esc" : "Cancelar");
        teste::escreveTabela(dados.arquivo("ZOV"),
                             {kCabecalhoZOV, documento("1", "1147", "11122233344", "1"),
                              documento("2", "1805", "11122233344", "10"),
                              documento("3", "1147", "12345678000190", "9"),
                              documento("4", "1821", "98765432100", "5")},
                             false);
        formulario.impressoes.clear();
        plataforma.mensagens.pedidos.clear();
        pesquisa();
        seleciona({"1", "2", "3", "4"});
        formulario.depois = [&](const QString& numero) {
            if (numero != "2")
                return;
            auto* progresso = janela->findChild<QProgressDialog*>(QStringLiteral("progressoImpressao"));
            ASSERT_TRUE(progresso);
            if (porEsc) {
                QTest::keyClick(progresso, Qt::Key_Escape);
            } else {
                auto* cancelar = progresso->findChild<QPushButton*>();
                ASSERT_TRUE(cancelar);
                EXPECT_EQ(cancelar->text(), QStringLiteral("Cancelar"));
                QTest::mouseClick(cancelar, Qt::LeftButton);
            }
        };
        QTest::mouseClick(janela->cmdImprimir, Qt::LeftButton);
        EXPECT_EQ(formulario.numerosImpressos(), (QStringList{"1", "2"}));
        const auto marcas = impressosNoArquivo();
        EXPECT_EQ(marcas.value("1"), QStringLiteral("1"));
        EXPECT_EQ(marcas.value("2"), QStringLiteral("1"));
        EXPECT_EQ(marcas.value("3"), QStringLiteral("0"));
        EXPECT_EQ(plataforma.mensagens.pedidos.last().texto,
                  QStringLiteral("Impressão interrompida.\nDocumento(s) impresso(s): 2 de 4."));
        EXPECT_TRUE(janela->isEnabled());
    }
}

TEST_F(Consulta, WithoutAPrinterTheSuccessMessageNamesThePdfFolder) {
    QTemporaryDir saida;
    formulario.pastaPdf = saida.path();
    pesquisa();
    seleciona({"1", "3"});
    QTest::mouseClick(janela->cmdImprimir, Qt::LeftButton);
    EXPECT_EQ(formulario.numerosImpressos(), (QStringList{"1", "3"}));
    const QString fim = plataforma.mensagens.pedidos.last().texto;
    EXPECT_TRUE(fim.startsWith(QStringLiteral("Impressão efetuada com sucesso!")));
    EXPECT_TRUE(fim.contains(QDir::toNativeSeparators(saida.path())));
}

TEST_F(Consulta, BatchDeleteIsOneWriteAndRefreshesTheList) {
    int escritasZOV = 0;
    refs->oZovEnv().defineGravador([&](const QString& caminho, const QByteArray& conteudo, QString* erro) {
        if (QFileInfo(caminho).fileName() == QLatin1String("ZOV"))
            ++escritasZOV;
        return tabulon::gravaArquivoAtomico(caminho, conteudo, erro);
    });
    pesquisa();
    seleciona({"1", "3"});
    plataforma.mensagens.respostas = {Mensagens::Resposta::Sim};
    QTest::mouseClick(janela->cmdEliminar, Qt::LeftButton);
    EXPECT_EQ(plataforma.mensagens.pedidos[0].texto, QStringLiteral("Deseja Excluir o(s) Registro(s)?"));
    EXPECT_EQ(plataforma.mensagens.pedidos[0].botoes, Mensagens::Botoes::SimNao);
    EXPECT_EQ(escritasZOV, 1);
    EXPECT_EQ(numerosNoArquivo(), (QStringList{"2", "4", "5"}));
    EXPECT_EQ(linhas(), (QStringList{"2", "4"}));
    EXPECT_EQ(janela->lblRegistro->text(), QStringLiteral("Registro(s): 2"));
}

TEST_F(Consulta, DeleteDoesNothingWhenRefusedOrTheCurrentRowIsNotSelected) {
    pesquisa();
    seleciona({"1", "3"});
    plataforma.mensagens.respostas = {Mensagens::Resposta::Nao};
    QTest::mouseClick(janela->cmdEliminar, Qt::LeftButton);
    EXPECT_EQ(numerosNoArquivo(), (QStringList{"1", "2", "3", "4", "5"}));

    // The current row not selected: nothing is deleted, and the clerk is told why.
    atualSemSelecao(1, -1);
    plataforma.mensagens.pedidos.clear();
    plataforma.mensagens.respostas = {Mensagens::Resposta::Sim};
    QTest::mouseClick(janela->cmdEliminar, Qt::LeftButton);
    EXPECT_EQ(numerosNoArquivo(), (QStringList{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(linhas().size(), 4);
    ASSERT_EQ(plataforma.mensagens.pedidos.size(), 2);
    EXPECT_EQ(plataforma.mensagens.pedidos[1].texto,
              QStringLiteral("Nenhum documento está selecionado; nada foi excluído."));
}

TEST_F(Consulta, AFailedDeleteIsReportedAndDeletesNothing) {
    refs->oZovEnv().defineGravador([](const QString&, const QByteArray&, QString* erro) {
        *erro = QStringLiteral("disco cheio");
        return false;
    });
    const QByteArray antes = teste::leArquivo(dados.arquivo("ZOV"));
    pesquisa();
    seleciona({"1", "2", "3"});
    QTest::mouseClick(janela->cmdEliminar, Qt::LeftButton);
    EXPECT_EQ(teste::leArquivo(dados.arquivo("ZOV")), antes);
    EXPECT_EQ(refs->oZOVs->Count(), 5);
    const auto& ultima = plataforma.mensagens.pedidos.last();
    EXPECT_EQ(ultima.icone, Mensagens::Icone::Critico);
    EXPECT_TRUE(ultima.texto.contains(QStringLiteral("disco cheio")));
    EXPECT_EQ(linhas().size(), 4);
}

} // namespace
