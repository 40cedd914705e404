// The printed page's layout on a recording surface (size 10: characters 2 mm wide, lines 4 mm tall).
#include "printing/PaginaZov.h"
#include "barcode/DesenhoCodigoBarras.h"
#include "common/DadosImpressao.h"
#include "prensil/Impressao.h"
#include "support/SuperficieFalsa.h"
#include "tabulon/ErroExecucao.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zove;
using teste::SuperficieFalsa;

namespace {

const QString Codigo = QStringLiteral("85600000001234500241234567890123456789012345");

class PaginaZov : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pasta.isValid());
        QImage barras(415, 50, QImage::Format_RGB32);
        desenhaCodigoBarras(Codigo, barras, pasta.path());
        dados.p_num_documento = QStringLiteral("12");
        dados.CodigoBarra = Codigo;
        dados.CodigoBarraVisualizado =
            QStringLiteral("85600000001-2 23450024123-4 45678901234-5 67890123451-6");
        dados.identificacao = QStringLiteral("123.456.789-09");
        dados.RazaoSocial = QStringLiteral("JOSE DA SILVA");
        dados.codigoReceita = QStringLiteral("1228");
        dados.DescricaoReceita = QStringLiteral("TAXA DE SERVICOS");
        dados.Documento = QStringLiteral("123456");
        dados.referencia = QStringLiteral("Março/2006");
        dados.Vencimento = QStringLiteral("31/03/2006");
        dados.InformacoesAdicionais = QStringLiteral("LINHA UM\r\nLINHA DOIS");
        dados.ValorPrincipal = QStringLiteral("1.234,50");
        dados.ValorMulta = QStringLiteral("0,00");
        dados.ValorJuros = QStringLiteral("0,00");
        dados.ValorCorrecaoMonetaria = QStringLiteral("0,00");
        dados.ValorTotal = QStringLiteral("1.234,50");
        opcoes.arquivoCodigoBarras = arquivoCodigoBarras(Codigo, pasta.path());
        opcoes.versao = QStringLiteral("1.0");
    }

    void desenha() { desenhaPagina(impressao, sup, dados, opcoes); }

    QList<double> topos(double x1, double x2) const {
        QList<double> r;
        for (const auto& ret : sup.retangulos)
            if (qAbs(ret.x1 - x1) < 1e-9 && qAbs(ret.x2 - x2) < 1e-9 && !ret.preenchido)
                r.append(ret.y1);
        return r;
    }
    QList<const SuperficieFalsa::Texto*> textos(const QString& t) const {
        QList<const SuperficieFalsa::Texto*> r;
        for (const auto& x : sup.textos)
            if (x.texto == t)
                r.append(&x);
        return r;
    }

    QTemporaryDir pasta;
    DadosImpressao dados;
    OpcoesPagina opcoes;
    prensil::Impressao impressao;
    SuperficieFalsa sup;
};

void esperaPosicoes(const QList<double>& obtidas, const QList<double>& esperadas) {
    ASSERT_EQ(obtidas.size(), esperadas.size());
    for (qsizetype i = 0; i < obtidas.size(); ++i)
        EXPECT_NEAR(obtidas[i], esperadas[i], 1e-6) << "item " << i;
}

} // namespace

TEST_F(PaginaZov, TresCopiasComSuasGradesMoldurasECortes) {
    desenha();
    // Rows 1 to 4 start with a number box at 50-55: copy 1 below the digits (13 + 3.6 + 2), copy 2 at
    // 105 + 2, copy 3 five below the bottom of copy 2's grid (107 + 9 x 7.6 + 5).
    esperaPosicoes(topos(50, 55),
                   {18.6, 26.2, 33.8, 41.4, 107, 114.6, 122.2, 129.8, 180.4, 188, 195.6, 203.2});
    // The five amounts, one row each, beside the additional information box.
    esperaPosicoes(topos(130, 135), {49, 56.6, 64.2, 71.8, 79.4, 175.4 - 38, 175.4 - 30.4, 175.4 - 22.8,
                                     175.4 - 15.2, 175.4 - 7.6, 210.8, 218.4, 226, 233.6, 241.2});
    esperaPosicoes(topos(50, 130), {49, 137.4, 210.8});
    for (const auto& r : sup.retangulos) {
        if (r.x1 == 50 && r.x2 == 130) {
            EXPECT_NEAR(r.y2 - r.y1, 38.1, 1e-6);
        }
    }
    // Header frames: 98.6, 68.6 and 98.6 mm tall.
    esperaPosicoes(topos(2, 47), {3, 107, 180.4});
    QList<double> alturas;
    for (const auto& r : sup.retangulos)
        if (r.x1 == 2 && r.x2 == 47)
            alturas.append(r.y2 - r.y1);
    esperaPosicoes(alturas, {98.6, 68.6, 98.6});
    // "Documento" spans 55-90; the "05" box at 85-90 covers its right end.
    esperaPosicoes(topos(55, 90), {41.4, 41.4, 129.8, 129.8, 203.2, 203.2});
    esperaPosicoes(topos(85, 90), {41.4, 129.8, 203.2});
    esperaPosicoes(topos(76, 188), {33.8, 33.8, 122.2, 122.2, 195.6, 195.6});

    // Cut lines: 100 dashes of 1 mm from x 1 to 200, at 105 and two below copy 2's grid.
    QMap<double, int> tracos;
    for (const auto& r : sup.retangulos) {
        if (r.preenchido && r.y1 == r.y2) {
            EXPECT_NEAR(r.x2 - r.x1, 1, 1e-9);
            ++tracos[r.y1];
        }
    }
    esperaPosicoes(tracos.keys(), {105, 177.4});
    EXPECT_EQ(tracos.values(), (QList<int>{100, 100}));
    EXPECT_TRUE(sup.chamadas.isEmpty()); // the printer's page is ended by the print run
}

TEST_F(PaginaZov, FigurasEmTamanhoNatural) {
    desenha();
    // Pixels at the 3780 dots per metre (96 dpi) the files record.
    auto mm = [](int pixels) { return pixels * 25.4 / (3780 * 0.0254); };
    const double barraL = mm(415);
    const double barraA = mm(50);
    struct Esperada {
        QString arquivo;
        double x, largura, altura;
    } esperadas[] = {
        {ImagemBrasao, 9, mm(114), mm(121)},
        {ImagemQor, 14, mm(66), mm(47)},
        {opcoes.arquivoCodigoBarras, 78, barraL, barraA},
        {ImagemQor, 14, mm(66), mm(47)},
        {ImagemBrasao, 9, mm(114), mm(121)},
        {ImagemQor, 14, mm(66), mm(47)},
        {opcoes.arquivoCodigoBarras, 70, barraL, barraA},
    };
    ASSERT_EQ(sup.figuras.size(), std::size(esperadas));
    for (size_t i = 0; i < std::size(esperadas); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(sup.figuras[i].arquivo, esperadas[i].arquivo);
        EXPECT_NEAR(sup.figuras[i].x, esperadas[i].x, 1e-9);
        EXPECT_NEAR(sup.figuras[i].largura, esperadas[i].largura, 1e-3);
        EXPECT_NEAR(sup.figuras[i].altura, esperadas[i].altura, 1e-3);
    }
    EXPECT_NEAR(barraL, 109.8, 0.05);
    EXPECT_NEAR(sup.figuras[2].y, 0, 1e-9); // copy 1: the very top of the page
    // Copy 3: below the digits, which are 3 mm below "AUTENTICAÇÃO" (under the grid's bottom + 1).
    EXPECT_NEAR(sup.figuras[6].y, 248.8 + 1 + 3.2 + 3 + 3.6, 1e-6);
    EXPECT_LT(sup.figuras[6].y + barraA, 279.1);
}

TEST_F(PaginaZov, TextosFontesEAlinhamentos) {
    desenha();
    const auto digitos = textos(dados.CodigoBarraVisualizado);
    ASSERT_EQ(digitos.size(), 2); // copies 1 and 3 only
    for (const auto* t : digitos) {
        EXPECT_EQ(t->fonte, QStringLiteral("Courier New"));
        EXPECT_EQ(t->tamanho, 9);
        EXPECT_TRUE(t->negrito);
    }
    EXPECT_NEAR(digitos[0]->y, 13, 1e-9);
    EXPECT_NEAR(digitos[0]->x, 51 + (165 - dados.CodigoBarraVisualizado.size() * 1.8) / 2, 1e-9);
    EXPECT_NEAR(digitos[1]->x, 43 + (165 - dados.CodigoBarraVisualizado.size() * 1.8) / 2, 1e-9);

    const auto estado = textos(QStringLiteral("ESTADO DE OSTRAL"));
    ASSERT_EQ(estado.size(), 3);
    for (const auto* t : estado) {
        EXPECT_EQ(t->fonte, QStringLiteral("Arial"));
        EXPECT_EQ(t->tamanho, 8);
        EXPECT_TRUE(t->negrito);
        EXPECT_NEAR(t->x, 2 + (45 - 16 * 1.6) / 2, 1e-9);
    }
    EXPECT_NEAR(estado[0]->y, 5, 1e-9);
    EXPECT_NEAR(estado[1]->y, 109, 1e-9);
    EXPECT_NEAR(estado[2]->y, 182.4, 1e-9);
    EXPECT_EQ(textos(QStringLiteral("PYX")).size(), 2);
    EXPECT_EQ(textos(QStringLiteral("ZOVE-OL")).size(), 3);
    EXPECT_EQ(textos(QStringLiteral("QOR")).size(), 3);
    EXPECT_EQ(textos(QStringLiteral("ZOVE v. 1.0")).size(), 3);

    const auto autenticacao = textos(QStringLiteral("AUTENTICAÇÃO"));
    ASSERT_EQ(autenticacao.size(), 2);
    EXPECT_NEAR(autenticacao[0]->y, 89, 1e-9);
    EXPECT_NEAR(autenticacao[1]->y, 249.8, 1e-9);
    EXPECT_EQ(autenticacao[0]->x, 50);
    EXPECT_FALSE(autenticacao[0]->negrito);

    // "Código de Receita" does not fit its 21 mm box in these metrics: it takes two lines.
    EXPECT_EQ(textos(QStringLiteral("Código de")).size(), 3);
    EXPECT_EQ(textos(QStringLiteral("Receita")).size(), 6);
    for (const char* legenda :
         {"Inscrição Estadual | CNPJ | CPF | Renavam | RG", "Número QOR", "Nome/Razão Social", "Documento",
          "Referência/Parcela", "Vencimento", "Informações Adicionais", "Principal", "Multa", "Juros",
          "Correção Monetária", "Total a Pagar"}) {
        const auto t = textos(QString::fromUtf8(legenda));
        ASSERT_EQ(t.size(), 3) << legenda;
        EXPECT_EQ(t[0]->fonte, QStringLiteral("Arial"));
        EXPECT_EQ(t[0]->tamanho, 6);
        EXPECT_FALSE(t[0]->negrito);
    }
    // Values: Courier New 8 bold, text at the left, amounts at the right, 1 mm inside their boxes.
    const auto nome = textos(dados.RazaoSocial);
    ASSERT_EQ(nome.size(), 3);
    EXPECT_EQ(nome[0]->fonte, QStringLiteral("Courier New"));
    EXPECT_EQ(nome[0]->tamanho, 8);
    EXPECT_TRUE(nome[0]->negrito);
    EXPECT_NEAR(nome[0]->x, 56, 1e-9);
    const auto total = textos(dados.ValorTotal); // principal and total
    ASSERT_EQ(total.size(), 6);
    for (const auto* t : total)
        EXPECT_NEAR(t->x + t->texto.size() * 1.6, 187, 1e-9);
    // Additional information: at 53, starting one row below the top of row 5, Courier New 10 bold.
    const auto info = textos(QStringLiteral("LINHA UM"));
    ASSERT_EQ(info.size(), 3);
    EXPECT_NEAR(info[0]->x, 53, 1e-9);
    EXPECT_NEAR(info[0]->y, 56.6, 1e-9);
    EXPECT_EQ(info[0]->fonte, QStringLiteral("Courier New"));
    EXPECT_EQ(info[0]->tamanho, 10);
    EXPECT_TRUE(info[0]->negrito);
    EXPECT_NEAR(textos(QStringLiteral("LINHA DOIS"))[0]->y, 60.6, 1e-9);
}

TEST_F(PaginaZov, ValoresVaziosLongosEInformacaoCortada) {
    dados.NumeroQor.clear();
    dados.RazaoSocial = QString(150, QLatin1Char('N')).replace(5, 1, QLatin1Char(' '));
    QStringList paragrafos;
    for (int i = 1; i <= 8; ++i)
        paragrafos << QStringLiteral("P%1").arg(i);
    dados.InformacoesAdicionais = paragrafos.join(QStringLiteral("\r\n"));
    desenha();
    EXPECT_EQ(textos(QStringLiteral("Número QOR")).size(), 3); // caption and box even when empty
    int pedacos = 0;
    for (const auto& t : sup.textos)
        if (t.texto.size() > 4 && t.texto.count(QLatin1Char('N')) == t.texto.size()) {
            ++pedacos;
            EXPECT_LE(t.x + t.texto.size() * 1.6, 187 + 1e-9);
        }
    EXPECT_EQ(pedacos, 6); // two lines in each copy's box
    // Lines of 4 mm in 20 mm: five paragraphs printed, the rest cut.
    EXPECT_EQ(textos(QStringLiteral("P5")).size(), 3);
    EXPECT_EQ(textos(QStringLiteral("P6")).size(), 0);
}

TEST_F(PaginaZov, PreviaComecaNaCopiaDaBarraDeRolagem) {
    struct Caso {
        int posicao;
        QList<double> molduras;
        int barras;
    } casos[] = {
        {0, {3, 107, 180.4}, 2},
        {1, {2, 75.4}, 1}, // copy 2 two below the top, copy 3 below it
        {2, {5}, 1},       // copy 3 alone, five below the top
        {7, {3, 107, 180.4}, 2},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.posicao);
        sup = SuperficieFalsa();
        sup.y = 50; // wherever the last drawing left it: the preview starts from a cleared picture
        opcoes.previa = true;
        opcoes.posicaoBarra = c.posicao;
        desenha();
        EXPECT_EQ(sup.chamadas, QStringList{QStringLiteral("Cls")});
        esperaPosicoes(topos(2, 47), c.molduras);
        int barras = 0;
        for (const auto& f : sup.figuras)
            barras += f.arquivo == opcoes.arquivoCodigoBarras;
        EXPECT_EQ(barras, c.barras);
    }
}

TEST_F(PaginaZov, SemAImagemDasBarrasNadaEDesenhado) {
    for (bool trocaTamanho : {false, true}) {
        sup = SuperficieFalsa();
        if (trocaTamanho) {
            QImage estreita(300, 50, QImage::Format_RGB32);
            estreita.fill(Qt::white);
            ASSERT_TRUE(estreita.save(opcoes.arquivoCodigoBarras, "BMP"));
        } else {
            QFile::remove(opcoes.arquivoCodigoBarras);
        }
        try {
            desenha();
            ADD_FAILURE() << "drawn without the bar pattern";
        } catch (const tabulon::ErroExecucao& e) {
            EXPECT_EQ(e.Numero(), tabulon::ErroExecucao::ArquivoNaoEncontrado);
        }
        EXPECT_TRUE(sup.textos.isEmpty());
        EXPECT_TRUE(sup.retangulos.isEmpty());
    }
}
