// The print helper on a surface with fixed metrics (size 10: characters 2 mm wide, lines 4 mm tall).
#include "prensil/Impressao.h"
#include "support/SuperficieFalsa.h"

#include <gtest/gtest.h>

using prensil::Escala;
using prensil::Impressao;
using teste::SuperficieFalsa;

namespace {

QString semBrancos(const QString& s) {
    QString r;
    for (QChar c : s)
        if (c != QLatin1Char(' ') && c != QChar(13) && c != QChar(10))
            r += c;
    return r;
}

QString impressoSemBrancos(const SuperficieFalsa& s) {
    return semBrancos(s.linhas().join(QString()));
}

} // namespace

TEST(Impressao, AlinharImpressaoPosicionaCadaAlinhamento) {
    struct Caso {
        const char* texto;
        qint32 alinhamento;
        const char* impresso;
        double x;
    } casos[] = {
        {"ABC", Impressao::zmkLeft, "ABC", 10},
        {"ABC", Impressao::zmkCenter, "ABC", 27},  // 10 + (40 - 6) / 2
        {"ABC", Impressao::zmkRight, "ABC", 44},   // 50 - 6
        {"ABC", Impressao::zmkJustify, "ABC", 10}, // a single line is placed like zmkLeft
        {"  ABC  ", Impressao::zmkRight, "ABC", 44},
        {"AB\r\nCD", Impressao::zmkLeft, "AB", 10}, // the rest after a line break is dropped
        {"AB\nCD", Impressao::zmkLeft, "AB", 10},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", Impressao::zmkLeft, "ABCDEFGHIJKLMNOPQRS", 10}, // cut to fit 40 mm
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.texto);
        SuperficieFalsa s;
        s.y = 30;
        Impressao().alinharImpressao(10, 50, QString::fromUtf8(c.texto), s, c.alinhamento);
        ASSERT_EQ(s.textos.size(), 1);
        EXPECT_EQ(s.textos[0].texto, QString::fromUtf8(c.impresso));
        EXPECT_DOUBLE_EQ(s.textos[0].x, c.x);
        EXPECT_DOUBLE_EQ(s.textos[0].y, 30);
        EXPECT_FALSE(s.textos[0].saltaLinha);
        EXPECT_DOUBLE_EQ(s.y, 30); // stays on the line, just after the text
        EXPECT_DOUBLE_EQ(s.x, c.x + s.TextWidth(s.textos[0].texto));
        EXPECT_EQ(s.escala, Escala::Twips); // the caller's scale comes back
    }
}

TEST(Impressao, AlinharImpressaoVaziaComSaltoDesceUmaLinhaComCorENegrito) {
    SuperficieFalsa s;
    s.y = 12;
    Impressao().alinharImpressao(5, 60, QString(), s, Impressao::zmkCenter, 0x0000FF, true, true);
    ASSERT_EQ(s.textos.size(), 1);
    EXPECT_EQ(s.textos[0].texto, QString());
    EXPECT_DOUBLE_EQ(s.textos[0].x, 5 + 55.0 / 2);
    EXPECT_EQ(s.textos[0].cor, 0x0000FFu);
    EXPECT_TRUE(s.textos[0].negrito);
    EXPECT_DOUBLE_EQ(s.y, 16);
    EXPECT_DOUBLE_EQ(s.x, 0);
}

TEST(Impressao, AlinharTextoQuebraEmBrancosEEmpilhaAsLinhas) {
    SuperficieFalsa s;
    s.y = 10;
    Impressao().alinharTexto(0, 16, QStringLiteral("AAA BBB CCC"), s);
    EXPECT_EQ(s.linhas(), (QStringList{QStringLiteral("AAA BBB"), QStringLiteral("CCC")}));
    EXPECT_DOUBLE_EQ(s.textos[0].y, 10);
    EXPECT_DOUBLE_EQ(s.textos[1].y, 14);
    EXPECT_TRUE(s.textos[1].saltaLinha);
    EXPECT_DOUBLE_EQ(s.y, 18);
}

TEST(Impressao, AlinharTextoLimitaPelaAlturaDoBloco) {
    struct Caso {
        double altura;
        int linhas;
    } casos[] = {{0, 3}, {3, 0}, {4, 0}, {8, 1}, {8.1, 2}, {100, 3}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.altura);
        SuperficieFalsa s;
        s.y = 20;
        Impressao().alinharTexto(0, 10, QStringLiteral("AAAA BBBB CCCC"), s, c.altura);
        EXPECT_EQ(s.textos.size(), c.linhas);
        EXPECT_DOUBLE_EQ(s.y, 20 + 4 * c.linhas); // nothing printed leaves the position alone
    }
}

TEST(Impressao, AlinharTextoJustificaTodasAsLinhasMenosAUltima) {
    SuperficieFalsa s;
    Impressao().alinharTexto(0, 20, QStringLiteral("AB CD EF GH"), s, 0, Impressao::zmkJustify);
    EXPECT_EQ(s.linhas(), (QStringList{QStringLiteral("AB CD  EF"), QStringLiteral("GH")}));

    // A wrapped line of one word is printed as it is.
    SuperficieFalsa u;
    Impressao().alinharTexto(0, 10, QStringLiteral("ABCDEFGH IJ"), u, 0, Impressao::zmkJustify);
    EXPECT_EQ(u.linhas(),
              (QStringList{QStringLiteral("ABCD"), QStringLiteral("EFGH"), QStringLiteral("IJ")}));
}

TEST(Impressao, AlinharTextoCentraVerticalmenteNoBloco) {
    SuperficieFalsa s;
    s.y = 10;
    Impressao().alinharTexto(0, 40, QStringLiteral("AB"), s, 20, Impressao::zmkLeft, 0, false, true);
    ASSERT_EQ(s.textos.size(), 1);
    EXPECT_DOUBLE_EQ(s.textos[0].y, 10 + (20 - 4) / 2.0);
}

TEST(Impressao, AlinharTextoComEnterSeparaParagrafosPorQualquerQuebra) {
    struct Caso {
        const char* texto;
        QStringList linhas;
    } casos[] = {
        {"A\r\nB", {"A", "B"}},
        {"A\r\nB\r\n\r\n  \r\n", {"A", "B"}}, // trailing blank lines are not printed
        {"A\nB", {"A", "B"}},
        // A bare CR starts the next paragraph with itself, which prints an empty line first.
        {"A\rB", {"A", "", "B"}},
        {" \rC", {"", "", "C"}},
        {"A\r\rB", {"A", "", "", "B"}},
        {"A\r\n\r\nB", {"A", "", "B"}},
        {"", {""}},
        {"AAAA BBBB\r\nC", {"AAAA", "BBBB", "C"}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.texto);
        SuperficieFalsa s;
        s.escala = Escala::Pixels;
        Impressao().alinharTextoComEnter(0, 10, QString::fromUtf8(c.texto), s);
        EXPECT_EQ(s.linhas(), c.linhas);
        EXPECT_EQ(s.escala, Escala::Pixels);
        for (const auto& t : s.textos)
            EXPECT_DOUBLE_EQ(t.x, 0);
    }
}

TEST(Impressao, AlinharTextoComEnterParaNaAlturaDoBloco) {
    SuperficieFalsa s;
    s.y = 50;
    Impressao().alinharTextoComEnter(0, 40, QStringLiteral("UM\r\nDOIS\r\nTRES"), s, 8, 0, true);
    EXPECT_EQ(s.linhas(), (QStringList{QStringLiteral("UM"), QStringLiteral("DOIS")}));
    EXPECT_TRUE(s.textos[0].negrito);
}

// Whatever the blanks and line breaks, every other character is printed once, in order.
TEST(Impressao, TextoImpressoTemCadaCaractereDaEntradaUmaVez) {
    const QString textos[] = {
        QStringLiteral("AAAA  BBBB   CCCC DDDD"),
        QStringLiteral("  UM DOIS   TRES QUATRO CINCO SEIS  "),
        QStringLiteral("LINHA\r\nOUTRA LINHA\nMAIS\rFIM"),
        QStringLiteral("PALAVRAMUITOCOMPRIDAQUENAOCABE E OUTRA"),
        QStringLiteral("A    B    C    D    E    F    G"),
        QStringLiteral("TEXTO\r\n\r\n   COM   \r\n BRANCOS   E QUEBRAS\n\nNO MEIO"),
    };
    const double larguras[] = {9, 10, 14, 23};
    for (const QString& texto : textos) {
        for (double largura : larguras) {
            SCOPED_TRACE(texto.toStdString() + " / " + std::to_string(largura));
            SuperficieFalsa a;
            Impressao().alinharTexto(0, largura, texto, a);
            EXPECT_EQ(impressoSemBrancos(a), semBrancos(texto));
            SuperficieFalsa b;
            Impressao().alinharTexto(0, largura, texto, b, 0, Impressao::zmkJustify);
            EXPECT_EQ(impressoSemBrancos(b), semBrancos(texto));
            SuperficieFalsa c;
            Impressao().alinharTextoComEnter(0, largura, texto, c);
            EXPECT_EQ(impressoSemBrancos(c), semBrancos(texto));
            for (const auto& t : c.textos)
                EXPECT_LE(c.TextWidth(t.texto), largura);
        }
    }
}

TEST(Impressao, DesenhaGridComAlturaDesceOuVoltaAoTopo) {
    for (bool saltar : {true, false}) {
        SuperficieFalsa s;
        s.y = 20;
        s.tamanho = 9;
        Impressao().desenhaGrid(10, 60, QStringLiteral("AB"), s, Impressao::zmkSimpleBorder, true, 10,
                                Impressao::zmkLeft, 0, 0, 7, saltar);
        ASSERT_EQ(s.retangulos.size(), 1);
        const auto& r = s.retangulos[0];
        EXPECT_DOUBLE_EQ(r.x1, 10);
        EXPECT_DOUBLE_EQ(r.y1, 20);
        EXPECT_DOUBLE_EQ(r.x2, 60);
        EXPECT_DOUBLE_EQ(r.y2, 27.6);
        EXPECT_FALSE(r.preenchido);
        ASSERT_EQ(s.textos.size(), 1);
        EXPECT_DOUBLE_EQ(s.textos[0].x, 11);   // 1 mm inside
        EXPECT_DOUBLE_EQ(s.textos[0].y, 20.6); // 0.6 mm below the top
        EXPECT_DOUBLE_EQ(s.textos[0].tamanho, 10);
        EXPECT_TRUE(s.textos[0].negrito);
        EXPECT_DOUBLE_EQ(s.y, saltar ? 27.6 : 20);
        EXPECT_DOUBLE_EQ(s.tamanho, 9);
        EXPECT_FALSE(s.negrito);
        EXPECT_EQ(s.escala, Escala::Milimetros);
    }
}

TEST(Impressao, DesenhaGridBordasEFundo) {
    using R = SuperficieFalsa::Retangulo;
    struct Caso {
        qint32 borda;
        quint32 fundo;
        QList<R> retangulos;
    } casos[] = {
        {Impressao::zmkSimpleBorder, 0, {{10, 0, 20, 5, 0, false}}},
        {Impressao::zmkSimpleBorder, 0xC0C0C0, {{10, 0, 20, 5, 0xC0C0C0, true}, {10, 0, 20, 5, 0, false}}},
        {Impressao::zmkDoubleBorder, 0, {{10, 0, 20, 5, 0, false}, {10.6, 0.6, 19.4, 4.4, 0, false}}},
        {Impressao::zmk3DBorder,
         0,
         {{10, 0, 20, 5, 0, false}, {10, 0, 19.9, 4.9, 0, false}, {10, 0, 19.8, 4.8, 0, false}}},
        {Impressao::zmkBlackBorder,
         0,
         {{10, 0, 20, 5, 0, false}, {10.1, 0.1, 19.9, 4.9, 0, false}, {10.2, 0.2, 19.8, 4.8, 0, false}}},
        {Impressao::zmkVerticalBorder, 0, {{10, 0, 10.1, 5, 0, true}, {20, 0, 20.1, 5, 0, true}}},
        {7, 0, {}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.borda);
        SuperficieFalsa s;
        Impressao().desenhaGrid(10, 20, QString(), s, c.borda, false, 0, Impressao::zmkLeft, 0, c.fundo, 4.4);
        ASSERT_EQ(s.retangulos.size(), c.retangulos.size());
        for (qsizetype i = 0; i < c.retangulos.size(); ++i) {
            const R& e = c.retangulos[i];
            const R& r = s.retangulos[i];
            EXPECT_NEAR(r.x1, e.x1, 1e-9);
            EXPECT_NEAR(r.y1, e.y1, 1e-9);
            EXPECT_NEAR(r.x2, e.x2, 1e-9);
            EXPECT_NEAR(r.y2, e.y2, 1e-9);
            EXPECT_EQ(r.cor, e.cor);
            EXPECT_EQ(r.preenchido, e.preenchido);
        }
        // An empty text leaves nothing visible inside.
        EXPECT_EQ(impressoSemBrancos(s), QString());
    }
}

TEST(Impressao, DesenhaGridSemAlturaMedeOTextoNoTamanhoAnterior) {
    SuperficieFalsa s;
    s.tamanho = 5; // lines 2 mm tall
    Impressao().desenhaGrid(0, 50, QStringLiteral("AB\r\nCD"), s, Impressao::zmkSimpleBorder, false, 10, 0, 0,
                            0, 0, true);
    ASSERT_EQ(s.retangulos.size(), 1);
    EXPECT_DOUBLE_EQ(s.retangulos[0].y2, 4.6); // two lines of 2 mm, plus 0.6
    EXPECT_DOUBLE_EQ(s.y, 4.6);
}

TEST(Impressao, ImprimirLinhaDesenhaABarraEDesce) {
    SuperficieFalsa s;
    s.y = 40;
    Impressao().imprimirLinha(5, 100, s, 0.5, 0x00FF00, true);
    ASSERT_EQ(s.retangulos.size(), 1);
    EXPECT_DOUBLE_EQ(s.retangulos[0].y1, 40);
    EXPECT_DOUBLE_EQ(s.retangulos[0].y2, 40.5);
    EXPECT_TRUE(s.retangulos[0].preenchido);
    EXPECT_EQ(s.retangulos[0].cor, 0x00FF00u);
    EXPECT_DOUBLE_EQ(s.y, 40.5);
}
