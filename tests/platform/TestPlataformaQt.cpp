// The Qt implementations of the platform services, checked without entering a modal loop.
#include "platform/Configuracoes.h"
#include "platform/DialogosArquivo.h"
#include "platform/Mensagens.h"
#include "platform/VisualizadorAjuda.h"

#include <QAbstractButton>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
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
    ASSERT_TRUE(visualizador.mostrar(nullptr, QStringLiteral(ZOVE_BIN_DIR "/ZOVE.html")));
    QDialog* janela = visualizador.janela();
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

    // The fee table goes to the same window.
    ASSERT_TRUE(visualizador.mostrar(nullptr, QStringLiteral(ZOVE_BIN_DIR "/TaxasdeServicosEstaduais.htm")));
    EXPECT_EQ(visualizador.janela(), janela);
    EXPECT_TRUE(texto->toPlainText().contains(QStringLiteral("Ostral")));
    janela->close();
}

TEST(VisualizadorAjudaQt, UmaPaginaQueNaoExisteNaoAbreJanela) {
    zove::VisualizadorAjudaQt visualizador;
    EXPECT_FALSE(visualizador.mostrar(nullptr, QStringLiteral(ZOVE_BIN_DIR "/nao-existe.html")));
    EXPECT_EQ(visualizador.janela(), nullptr);
}
