// The drawing surface over QPainter: faces, device metrics, text placement and unsmoothed pictures.
#include "printing/SuperficieQt.h"
#include "barcode/DesenhoCodigoBarras.h"
#include "tabulon/ErroExecucao.h"

#include <QFontInfo>
#include <QImage>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zove;

namespace {

QImage pagina(double dpi, double larguraMm = 60, double alturaMm = 40) {
    QImage img(qRound(larguraMm * dpi / 25.4), qRound(alturaMm * dpi / 25.4), QImage::Format_RGB32);
    img.setDotsPerMeterX(qRound(dpi / 0.0254));
    img.setDotsPerMeterY(qRound(dpi / 0.0254));
    img.fill(Qt::white);
    return img;
}

// First and last rows holding a pixel darker than mid grey; -1 when none.
std::pair<int, int> linhasEscuras(const QImage& img) {
    int primeira = -1, ultima = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128) {
                if (primeira < 0)
                    primeira = y;
                ultima = y;
                break;
            }
    return {primeira, ultima};
}

} // namespace

TEST(SuperficieQt, ArialECourierNewSaoAsFacesLiberation) {
    SuperficieQt::registraFontes();
    const std::pair<const char*, const char*> casos[] = {{"Arial", "Liberation Sans"},
                                                         {"Courier New", "Liberation Mono"}};
    for (const auto& [pedida, esperada] : casos) {
        QFont fonte(QString::fromLatin1(pedida));
        fonte.setPointSizeF(8);
        EXPECT_EQ(QFontInfo(fonte).family(), QString::fromLatin1(esperada)) << pedida;
    }
}

TEST(SuperficieQt, MedidasEmMilimetrosIndependemDaResolucao) {
    QImage tela = pagina(96);
    QImage papel = pagina(600);
    SuperficieQt a(&tela);
    SuperficieQt b(&papel);
    for (SuperficieQt* s : {&a, &b}) {
        s->setScaleMode(prensil::Escala::Milimetros);
        s->setFontName(QStringLiteral("Courier New"));
        s->setFontSize(10);
    }
    // Liberation Mono advances 0.6 em: ten characters of 10 points are 60 points, 21.17 mm. The screen
    // draws the font at a whole pixel size (13 px for 13.3) and measures it so.
    EXPECT_NEAR(b.TextWidth(QStringLiteral("0123456789")), 60 * 25.4 / 72, 0.1);
    EXPECT_NEAR(a.TextWidth(QStringLiteral("0123456789")), 60 * 25.4 / 72 * 13 / (10 * 96 / 72.0), 0.1);
    EXPECT_NEAR(a.TextHeight(QStringLiteral("X")), b.TextHeight(QStringLiteral("X")), 0.4);
    EXPECT_NEAR(b.TextHeight(QStringLiteral("A\r\nB\nC")), 3 * b.TextHeight(QStringLiteral("A")), 1e-9);

    // Bold Arial is wider than regular Arial, and the surface measures the font it prints in.
    b.setFontName(QStringLiteral("Arial"));
    const double normal = b.TextWidth(QStringLiteral("ESTADO DE OSTRAL"));
    b.setFontBold(true);
    EXPECT_GT(b.TextWidth(QStringLiteral("ESTADO DE OSTRAL")), normal);
}

TEST(SuperficieQt, TextoComOTopoEmCurrentYEPosicaoDepoisDoPrint) {
    QImage img = pagina(300);
    {
        SuperficieQt s(&img);
        s.setScaleMode(prensil::Escala::Milimetros);
        s.setFontName(QStringLiteral("Arial"));
        s.setFontSize(20);
        s.setCurrentX(5);
        s.setCurrentY(10);
        const double altura = s.TextHeight(QStringLiteral("H"));
        s.Print(QStringLiteral("Hg"), false);
        EXPECT_NEAR(s.CurrentY(), 10, 1e-9);
        EXPECT_GT(s.CurrentX(), 5 + 5);
        s.Print(QString(), true);
        EXPECT_NEAR(s.CurrentX(), 0, 1e-9);
        EXPECT_NEAR(s.CurrentY(), 10 + altura, 1e-6);
    }
    // The capital's top sits just below the top of the line, the descender above its bottom.
    const auto [topo, base] = linhasEscuras(img);
    const double mm = 300 / 25.4;
    EXPECT_GE(topo, qFloor(10 * mm));
    EXPECT_LT(topo, 10 * mm + 2.5 * mm);
    EXPECT_LT(base, (10 + 20 * 25.4 / 72 * 1.15) * mm);
}

TEST(SuperficieQt, RetangulosEPosicaoNoSegundoCanto) {
    QImage img = pagina(96);
    SuperficieQt s(&img);
    s.setScaleMode(prensil::Escala::Milimetros);
    s.Line(10, 10, 30, 20, 0x0000FF, true); // red, filled
    EXPECT_NEAR(s.CurrentX(), 30, 1e-9);
    EXPECT_NEAR(s.CurrentY(), 20, 1e-9);
    s.Line(40, 10, 50, 20, 0, false);
    const double px = 96 / 25.4;
    EXPECT_EQ(img.pixel(qRound(20 * px), qRound(15 * px)), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(qRound(45 * px), qRound(15 * px)), qRgb(255, 255, 255)); // outline only
    const int topo = qRound(10 * px);
    EXPECT_LT(qMin(qGray(img.pixel(qRound(45 * px), topo - 1)), qGray(img.pixel(qRound(45 * px), topo))),
              128);
}

// The bar pattern keeps its bars: at screen resolution pixel for pixel, at 300 dpi without one grey
// pixel.
TEST(SuperficieQt, ImagemDasBarrasSemSuavizacao) {
    QTemporaryDir pasta;
    const QString codigo = QStringLiteral("85600000001234500241234567890123456789012345");
    QImage barras(415, 50, QImage::Format_RGB32);
    desenhaCodigoBarras(codigo, barras, pasta.path());
    const QString arquivo = arquivoCodigoBarras(codigo, pasta.path());
    const double larguraMm = 415 * 25.4 / 96;
    const double alturaMm = 50 * 25.4 / 96;

    QImage tela = pagina(96, 120, 20);
    {
        SuperficieQt s(&tela);
        s.setScaleMode(prensil::Escala::Pixels);
        s.PaintPicture(arquivo, 10, 3, 415, 50);
    }
    for (int x = 0; x < 415; ++x)
        ASSERT_EQ(tela.pixel(10 + x, 3 + 25) & 0xFFFFFF, barras.pixel(x, 25) & 0xFFFFFF) << x;

    QImage papel = pagina(300, 120, 20);
    {
        SuperficieQt s(&papel);
        s.setScaleMode(prensil::Escala::Milimetros);
        s.PaintPicture(arquivo, 3, 2, larguraMm, alturaMm);
    }
    int pretos = 0;
    for (int y = 0; y < papel.height(); ++y)
        for (int x = 0; x < papel.width(); ++x) {
            const QRgb p = papel.pixel(x, y) & 0xFFFFFF;
            ASSERT_TRUE(p == 0 || p == 0xFFFFFF) << x << "," << y;
            pretos += p == 0;
        }
    EXPECT_GT(pretos, 0);
}

TEST(SuperficieQt, FalhasSaoErrosDeExecucao) {
    QImage img = pagina(96);
    SuperficieQt s(&img);
    try {
        s.PaintPicture(QStringLiteral("/nao/existe.bmp"), 0, 0, 10, 10);
        ADD_FAILURE();
    } catch (const tabulon::ErroExecucao& e) {
        EXPECT_EQ(e.Numero(), tabulon::ErroExecucao::ArquivoNaoEncontrado);
    }

    // A PDF that cannot be created: nothing begins, and drawing or ending is a printer error.
    QPdfWriter pdf(QStringLiteral("/nao/existe/pasta/x.pdf"));
    SuperficieQt semPintor(&pdf);
    EXPECT_FALSE(semPintor.iniciou());
    for (int passo = 0; passo < 2; ++passo) {
        try {
            if (passo == 0)
                semPintor.Print(QStringLiteral("X"), true);
            else
                semPintor.EndDoc();
            ADD_FAILURE() << passo;
        } catch (const tabulon::ErroExecucao& e) {
            EXPECT_EQ(e.Numero(), tabulon::ErroExecucao::ErroImpressora);
        }
    }
    EXPECT_FALSE(semPintor.terminou());
}
