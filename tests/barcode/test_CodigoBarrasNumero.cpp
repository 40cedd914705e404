#include "validation/CodigoBarras.h"

#include <gtest/gtest.h>

using namespace zove;

TEST(CodigoBarrasNumero, SomaDigitos) {
    const std::pair<qint16, qint16> casos[] = {{0, 0},  {9, 9},   {10, 1},  {14, 5},
                                               {18, 9}, {-14, 5}, {999, 27}};
    for (const auto& [n, soma] : casos)
        EXPECT_EQ(somaDigitos(n), soma) << n;
}

TEST(CodigoBarrasNumero, DigitoModulo10PesosDoisEUmAPartirDaEsquerda) {
    struct Caso {
        const char* digitos;
        qint16 dv;
    };
    const Caso casos[] = {
        {"", 0},
        // 8x2=16 -> 7, 5x1=5, 6x2=12 -> 3, zeros: total 15, 10 - 5 = 5
        {"85600000000", 5},
        // 5x2=10 -> 1: 10 - 1 = 9
        {"5", 9},
        // total 0: 10 - 0 = 10, written 0
        {"0", 0},
        // 2+2+6+4+1+6+5+8+9+0+9 = 52 -> 8
        {"12345678909", 8},
        // 43 digits of the worked document below: total 133 -> 7
        {"8560000001503700243001234567890903200612282", 7},
        // same with amount 150,00: total 120 -> 10 -> 0
        {"8560000001500000243001234567890903200612282", 0},
        // a character that is not a digit weighs as a 0: 8x2 -> 7, 6x2 -> 3, total 10 -> 0
        {"8X600000000", 0},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(calculaDVModulo10(QString::fromLatin1(c.digitos)), c.dv) << c.digitos;
}

// A document of 150,37 (15037 centavos), company code 0024 and free field
// 3 0012345678909 032006 1228 2.
//
// General check digit over the 43 digits 856 00000015037 0024 3001234567890903200612282, weights
// 2,1,2,... from the left:
//   odd positions (x2, digits of the product added): 8->7 6->3 0 0 0 5->1 3->6 0 2->4 3->6 0 2->4
//     4->8 6->3 8->7 0 0 2->4 0 1->2 2->4 2->4 = 63
//   even positions (x1): 5 0 0 0 1 0 7 0 4 0 1 3 5 7 9 9 3 0 6 2 8 = 70
//   total 133 -> 10 - 3 = 7, placed after "856".
// Blocks and their digits:
//   85670000001: 7+5+3+7+0+0+0+0+0+0+2 = 24 -> 6
//   50370024300: 1+0+6+7+0+0+4+4+6+0+0 = 28 -> 2
//   12345678909: 52 -> 8
//   03200612282: 0+3+4+0+0+6+2+2+4+8+4 = 33 -> 7
TEST(CodigoBarrasNumero, NumeroDe44DigitosELinhaDigitavel) {
    QString codigo;
    const QString linha = montaCodigoBarras("8560000001503700243001234567890903200612282", codigo);
    EXPECT_EQ(codigo.toStdString(), "85670000001503700243001234567890903200612282");
    EXPECT_EQ(linha.toStdString(), "85670000001-6 50370024300-2 12345678909-8 03200612282-7 ");
    EXPECT_EQ(linha.size(), 56);
    EXPECT_FALSE(erroTamanhoCodigoBarras(codigo).has_value());
}

TEST(CodigoBarrasNumero, LinhaDigitavelTemQuatroBlocosComHifenDigitoEBranco) {
    QString codigo;
    const QString linha = montaCodigoBarras("8560000001500000243001234567890903200612282", codigo);
    ASSERT_EQ(codigo.size(), 44);
    EXPECT_EQ(codigo.mid(3, 1), "0");
    ASSERT_EQ(linha.size(), 56);
    for (int b = 0; b < 4; ++b) {
        const QString bloco = linha.mid(b * 14, 14);
        EXPECT_EQ(bloco.left(11), codigo.mid(b * 11, 11));
        EXPECT_EQ(bloco.at(11), QLatin1Char('-'));
        EXPECT_TRUE(bloco.at(12).isDigit());
        EXPECT_EQ(bloco.at(13), QLatin1Char(' '));
    }
}

TEST(CodigoBarrasNumero, NumeroCurtoSaiCurtoEOErroDeTamanhoOAponta) {
    QString codigo;
    montaCodigoBarras("85600000015037002430012345678909", codigo); // free field too short
    EXPECT_EQ(codigo.size(), 33);
    EXPECT_EQ(erroTamanhoCodigoBarras(codigo),
              QString::fromUtf8("Erro na montagem do código de barras!\ntamanho encontrado: 33"));
}

TEST(CodigoBarrasNumero, ErroDeTamanho) {
    EXPECT_FALSE(erroTamanhoCodigoBarras(QString(44, QLatin1Char('1'))).has_value());
    EXPECT_EQ(erroTamanhoCodigoBarras(""),
              QString::fromUtf8("Erro na montagem do código de barras!\ntamanho encontrado: 0"));
    EXPECT_EQ(erroTamanhoCodigoBarras(QString(45, QLatin1Char('1'))),
              QString::fromUtf8("Erro na montagem do código de barras!\ntamanho encontrado: 45"));
}
