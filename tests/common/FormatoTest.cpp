// Number pictures: zero-filling, display masks and money in centavos.
#include "common/Formato.h"

#include <gtest/gtest.h>

using namespace zove::formato;

TEST(Formato, Zeros) {
    struct {
        QString valor;
        int largura;
        QString esperado;
    } casos[] = {
        {"191", 11, "00000000191"},
        {"11144477735", 11, "11144477735"},
        {"0011144477735", 11, "11144477735"}, // leading zeros dropped before filling
        {"123456789012", 11, "123456789012"}, // longer numbers keep every digit
        {" 42 ", 4, "0042"},
        {"0", 2, "00"},
        {"7", 0, "7"},
        {"", 4, ""},
        {"12a", 5, "12a"},
        {"-5", 3, "-5"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(zeros(c.valor, c.largura), c.esperado) << c.valor.toStdString();
}

TEST(Formato, SomenteDigitos) {
    for (const char* t : {"0", "123", " 123 ", "00012"})
        EXPECT_TRUE(somenteDigitos(t)) << t;
    for (const char* t : {"", "  ", "12a", "1.2", "-1", "+1", "1 2", "１２"})
        EXPECT_FALSE(somenteDigitos(QString::fromUtf8(t))) << t;
}

TEST(Formato, Mascara) {
    struct {
        QString numero;
        QString mascara;
        QString esperado;
    } casos[] = {
        {"123456789", "00\\.000\\.000\\-0", "12.345.678-9"},
        {"11222333000181", "00\\.000\\.000\\/0000\\-00", "11.222.333/0001-81"},
        {"11144477735", "000\\.000\\.000\\-00", "111.444.777-35"},
        {"123456789", "0000\\.0000\\-0", "1234.5678-9"},
        // Short numbers are zero-filled; leading zeros given are kept in place.
        {"191", "000\\.000\\.000\\-00", "000.000.001-91"},
        {"012345678", "00\\.000\\.000\\-0", "01.234.567-8"},
        {" 272 ", "000\\.000\\.000\\-00", "000.000.002-72"},
        // Extra digits go with the first place.
        {"1234567890", "00\\.000\\.000\\-0", "123.456.789-0"},
        // A mask that begins with a literal, characters copied without a backslash, a backslash
        // escaping a zero, and a trailing backslash.
        {"42", "\\(00\\)", "(42)"},
        {"42", "0-0", "4-2"},
        {"42", "0\\00", "402"},
        {"5", "0\\", "5"},
        // Not a whole number: unchanged.
        {"12.345.678-9", "00\\.000\\.000\\-0", "12.345.678-9"},
        {"", "00\\.000\\.000\\-0", ""},
        {"abc", "000", "abc"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(mascara(c.numero, c.mascara), c.esperado)
            << c.numero.toStdString() << " with " << c.mascara.toStdString();
}

TEST(Formato, Centavos) {
    struct {
        QString texto;
        std::optional<qint64> esperado;
    } casos[] = {
        {"1.234,5", 123450},
        {"1234,56", 123456},
        {"12", 1200},
        {",5", 50},
        {"0,00", 0},
        {" 99.999.999,99 ", 9999999999},
        {"-1,50", -150},
        {"1,234", std::nullopt},
        {"", std::nullopt},
        {",", std::nullopt},
        {"1,2,3", std::nullopt},
        {"12a", std::nullopt},
        {"1, 5", std::nullopt}, // blanks inside the number are not digits
        {"1 ,5", std::nullopt},
        {"- 5", std::nullopt},
        {"1234567890123456", std::nullopt},
    };
    for (const auto& c : casos)
        EXPECT_EQ(centavos(c.texto), c.esperado) << c.texto.toStdString();
}

TEST(Formato, Valor) {
    struct {
        qint64 centavos;
        QString esperado;
    } casos[] = {
        {0, "0,00"},
        {5, "0,05"},
        {123450, "1.234,50"},
        {9999999999, "99.999.999,99"},
        {100000000000, "1.000.000.000,00"},
        {-150, "-1,50"},
        {std::numeric_limits<qint64>::min(), "-92.233.720.368.547.758,08"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(valor(c.centavos), c.esperado) << c.centavos;
}
