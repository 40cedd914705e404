// The import and error-log windows through their real controls, with recording doubles for the
// platform services.
#include "import/janelas/frmImportacao.h"
#include "app/Aplicacao.h"
#include "data/Referencias.h"
#include "import/ZovImportacao.h"
#include "import/janelas/frmLogs.h"
#include "platform/PlataformaDeTeste.h"
#include "support/TestSupport.h"
#include "tabulon/Colecoes.h"
#include "tabulon/Texto1252.h"
#include "tools/GeradorRegistros.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace zove;

namespace {

const QDate kHoje(2025, 3, 15);

// Runs `olha` on the modal window of that class once it is up, then closes it. Returns what the
// window's rows read, one text per row (columns joined by " | "), through `linhas`.
template <class Janela> void quandoAbrir(std::function<void(Janela&)> olha, bool* abriu) {
    QTimer::singleShot(0, [olha, abriu] {
        auto* janela = qobject_cast<Janela*>(QApplication::activeModalWidget());
        *abriu = janela != nullptr;
        if (!janela)
            return;
        olha(*janela);
        janela->close();
    });
}

QStringList linhasDe(QAbstractItemView* lista) {
    const QAbstractItemModel* modelo = lista->model();
    QStringList linhas;
    for (int i = 0; i < modelo->rowCount(); ++i) {
        QStringList colunas;
        for (int c = 0; c < modelo->columnCount(); ++c)
            colunas.append(modelo->index(i, c).data().toString());
        linhas.append(colunas.join(QStringLiteral(" | ")));
    }
    return linhas;
}

class JanelaImportacao : public ::testing::Test {
protected:
    void SetUp() override {
        refs = Referencias::carregar(dados.caminho());
        gerador = std::make_unique<GeradorRegistros>(*refs, kHoje);
        janela = std::make_unique<frmImportacao>(plataforma.plataforma(), *refs, programa.path(), nullptr,
                                                 [] { return kHoje; });
        janela->show();
    }

    QString arquivo(const QString& conteudo, const QString& nome = QStringLiteral("lote.txt")) {
        const QString caminho = QDir(programa.path()).filePath(nome);
        teste::gravaArquivo(caminho, tabulon::codifica1252(conteudo));
        return caminho;
    }

    void importa(const QString& caminho) {
        janela->txtArquivo->clear();
        QTest::keyClicks(janela->txtArquivo, caminho);
        QTest::mouseClick(janela->cmdImportar, Qt::LeftButton);
    }

    void seleciona(int linha) {
        janela->lvwLista->setCurrentIndex(janela->lvwLista->model()->index(linha, 0));
    }

    // Clicks "Log de erros" and returns the rows the error-log window showed (empty when none opened).
    QStringList logMostrado() {
        QStringList linhas;
        bool abriu = false;
        quandoAbrir<frmLogs>([&](frmLogs& w) { linhas = linhasDe(w.lvwLogs); }, &abriu);
        QTest::mouseClick(janela->cmdLog, Qt::LeftButton);
        QCoreApplication::processEvents();
        return abriu ? linhas : QStringList();
    }

    teste::PlataformaDeTeste plataforma;
    teste::PastaDados dados;
    QTemporaryDir programa;
    std::unique_ptr<Referencias> refs;
    std::unique_ptr<GeradorRegistros> gerador;
    std::unique_ptr<frmImportacao> janela;
};

TEST_F(JanelaImportacao, ProcurarPoeOCaminhoEscolhido) {
    plataforma.dialogos.escolhas = {QStringLiteral("/tmp/lote escolhido.txt")};
    QTest::mouseClick(janela->cmdProcurar, Qt::LeftButton);
    ASSERT_EQ(plataforma.dialogos.pedidos.size(), 1);
    EXPECT_EQ(plataforma.dialogos.pedidos[0].titulo,
              QStringLiteral("Importação de arquivos que contém ZOVE"));
    EXPECT_EQ(plataforma.dialogos.pedidos[0].filtro, QStringLiteral("Arquivo de ZOVE (TXT)|*.txt"));
    EXPECT_FALSE(plataforma.dialogos.pedidos[0].salvar);
    EXPECT_EQ(janela->txtArquivo->text(), QStringLiteral("/tmp/lote escolhido.txt"));
}

// Importing lists one row per line; the log of an invalid row is the file's lines and then the row's;
// an imported row without lines says so in a message, one with lines shows them.
TEST_F(JanelaImportacao, ImportaListaEMostraOsLogs) {
    const QString bom = gerador->registro(QStringLiteral("7307"), 0);
    QString comAviso = gerador->registro(QStringLiteral("7307"), 1);
    comAviso.replace(174, 8, QStringLiteral("20250401")); // last payment date outside the month
    const QString semDDD = gerador->registro(QStringLiteral("7307"), 2).replace(130, 2, QStringLiteral("00"));
    importa(arquivo(bom + "\r\n\r\n" + semDDD + "\r\n" + comAviso + "\r\n"));

    const QStringList linhas = linhasDe(janela->lvwLista);
    ASSERT_EQ(linhas.size(), 4);
    EXPECT_EQ(linhas[0], QStringLiteral("1 | CONTRIBUINTE AÇÚCAR & CIA Nº 0 | Importado"));
    EXPECT_EQ(linhas[1], QStringLiteral("2 |  | Inválido"));
    EXPECT_EQ(linhas[2], QStringLiteral("3 | CONTRIBUINTE AÇÚCAR & CIA Nº 2 | Inválido"));
    EXPECT_EQ(linhas[3], QStringLiteral("4 | CONTRIBUINTE AÇÚCAR & CIA Nº 1 | Importado"));
    EXPECT_EQ(janela->lblProgresso->text(),
              QStringLiteral("Registros lidos: 4   Importados: 2   Inválidos: 2"));
    EXPECT_EQ(refs->oZOVs->Count(), 2);

    seleciona(2);
    EXPECT_EQ(logMostrado(), QStringList{QStringLiteral("1 | DDD em branco")});

    seleciona(0);
    EXPECT_TRUE(logMostrado().isEmpty());
    ASSERT_EQ(plataforma.mensagens.pedidos.size(), 1);
    EXPECT_EQ(plataforma.mensagens.pedidos[0].texto, QStringLiteral("ZOVE não possui Log de erro"));
    EXPECT_EQ(plataforma.mensagens.pedidos[0].titulo, QStringLiteral("Aviso"));
    EXPECT_EQ(plataforma.mensagens.pedidos[0].icone, Mensagens::Icone::Informacao);

    seleciona(3);
    EXPECT_EQ(logMostrado(),
              QStringList{QStringLiteral("1 | Data Máxima de Pagamento fora do Período vigente")});
    EXPECT_EQ(plataforma.mensagens.pedidos.size(), 1);

    // A double click on a row is the same as the button.
    bool abriu = false;
    QStringList vistas;
    quandoAbrir<frmLogs>([&](frmLogs& w) { vistas = linhasDe(w.lvwLogs); }, &abriu);
    const QRect area = janela->lvwLista->visualRect(janela->lvwLista->model()->index(1, 1));
    // The view takes a double click only on the row it saw pressed.
    QTest::mousePress(janela->lvwLista->viewport(), Qt::LeftButton, {}, area.center());
    QTest::mouseRelease(janela->lvwLista->viewport(), Qt::LeftButton, {}, area.center());
    QTest::mouseDClick(janela->lvwLista->viewport(), Qt::LeftButton, {}, area.center());
    QCoreApplication::processEvents();
    EXPECT_TRUE(abriu);
    EXPECT_EQ(vistas, QStringList{QStringLiteral("1 | ZOVE em branco")});
}

// A missing file gives no rows, so its line is shown at once; the next import starts with an empty
// file log.
TEST_F(JanelaImportacao, ArquivoInexistenteMostraOMotivoNaHora) {
    const QString ausente = QDir(programa.path()).filePath(QStringLiteral("NAO-EXISTE.txt"));
    bool abriu = false;
    QStringList vistas;
    quandoAbrir<frmLogs>([&](frmLogs& w) { vistas = linhasDe(w.lvwLogs); }, &abriu);
    importa(ausente);
    QCoreApplication::processEvents();
    EXPECT_TRUE(abriu);
    EXPECT_EQ(vistas, QStringList{QStringLiteral("1 | Arquivo inexistente: ") + ausente.toLower()});
    EXPECT_EQ(janela->lvwLista->model()->rowCount(), 0);
    EXPECT_TRUE(logMostrado().isEmpty()); // nothing to select: the button does nothing

    importa(arquivo(QStringLiteral("curto\r\n")));
    seleciona(0);
    EXPECT_EQ(logMostrado(), QStringList{QStringLiteral(
                                 "1 | ZOVE inválido. Registro com tamanho diferente de 250 caracteres")});
}

// Every record has its row, also past the invalid records that keep their lines; the log of such a
// row starts with the file's line counting them and says why the record has none of its own.
TEST_F(JanelaImportacao, MuitosInvalidosTemSuasLinhas) {
    QString conteudo;
    for (int i = 0; i < 1003; ++i)
        conteudo += QStringLiteral("x\r\n");
    importa(arquivo(conteudo));
    ASSERT_EQ(janela->lvwLista->model()->rowCount(), 1003);
    EXPECT_EQ(linhasDe(janela->lvwLista).last(), QStringLiteral("1003 |  | Inválido"));
    seleciona(1001);
    EXPECT_EQ(
        logMostrado(),
        (QStringList{QStringLiteral("1 | Mais 3 registros inválidos além dos primeiros 1.000, sem as linhas "
                                    "de erro."),
                     QStringLiteral("2 | As linhas de erro deste registro não foram guardadas: só são "
                                    "guardadas as dos primeiros 1.000 registros inválidos.")}));
}

TEST_F(JanelaImportacao, CaminhoEmBrancoNaoFazNada) {
    importa(QStringLiteral("   "));
    EXPECT_EQ(janela->lvwLista->model()->rowCount(), 0);
    EXPECT_TRUE(janela->lblProgresso->text().isEmpty());
}

// The cancel button, pressed while the import runs, stores nothing.
TEST_F(JanelaImportacao, CancelarDuranteAImportacao) {
    const QString caminho = QDir(programa.path()).filePath(QStringLiteral("grande.txt"));
    teste::gravaArquivo(caminho, gerador->arquivo(700));
    janela->txtArquivo->setText(caminho);
    // The click arrives while the import lets the window take events.
    QTimer::singleShot(0, janela->cmdCancelar, [this] {
        EXPECT_TRUE(janela->importando());
        EXPECT_FALSE(janela->cmdFechar->isEnabled());
        QTest::mouseClick(janela->cmdCancelar, Qt::LeftButton);
    });
    janela->cmdImportar->click();
    EXPECT_FALSE(janela->importando());
    EXPECT_EQ(refs->oZOVs->Count(), 0);
    EXPECT_TRUE(
        janela->lblProgresso->text().endsWith(QStringLiteral("importação cancelada, nada foi gravado")));
    const QStringList linhas = linhasDe(janela->lvwLista);
    ASSERT_FALSE(linhas.isEmpty());
    EXPECT_TRUE(linhas[0].endsWith(QStringLiteral("| Inválido")));
}

TEST_F(JanelaImportacao, TabelaDeTaxas) {
    QTest::mouseClick(janela->cmdAviso, Qt::LeftButton);
    EXPECT_EQ(plataforma.areaDeTrabalho.arquivos,
              QStringList{programa.path() + QStringLiteral("/TaxasdeServicosEstaduais.htm")});
}

// The main window's menu entry, wired as the program wires it, opens the import window over it, with
// the main window's platform services and program folder.
TEST(JanelaPrincipalImportacao, MenuImportarAbreAJanela) {
    teste::PlataformaDeTeste plataforma;
    teste::PastaDados dados;
    QTemporaryDir programa;
    frmPrincipal principal(plataforma.plataforma(), programa.path(), dados.caminho(), janelasDoPrograma());
    principal.definirEncerramento([](int) {});
    ASSERT_TRUE(principal.carregar());
    ASSERT_TRUE(principal.mnuImportar->isEnabled());
    bool abriu = false;
    quandoAbrir<frmImportacao>(
        [&principal](frmImportacao& w) {
            EXPECT_TRUE(w.isModal());
            EXPECT_EQ(w.parentWidget(), &principal);
            QTest::mouseClick(w.cmdAviso, Qt::LeftButton);
        },
        &abriu);
    principal.mnuImportar->trigger();
    EXPECT_TRUE(abriu);
    EXPECT_EQ(plataforma.areaDeTrabalho.arquivos,
              QStringList{programa.path() + QStringLiteral("/TaxasdeServicosEstaduais.htm")});
}

} // namespace
