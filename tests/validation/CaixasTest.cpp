// Key filters and focus behaviour of the numeric and money text boxes, without widgets.
#include "validation/Validacao.h"

#include <gtest/gtest.h>

using namespace zove;

namespace zove {
void PrintTo(const Caixa& c, std::ostream* os) {
    *os << '"' << c.texto.toStdString() << "\" @" << c.inicioSelecao << "+" << c.tamanhoSelecao << " max "
        << c.comprimentoMaximo;
}
} // namespace zove

namespace {

Caixa caixa(const QString& texto, qsizetype inicio, qsizetype tamanho = 0, qsizetype maximo = 0) {
    return Caixa{texto, inicio, tamanho, maximo};
}
// The caret at the end, nothing selected.
Caixa noFim(const QString& texto) {
    return caixa(texto, texto.size());
}

std::string descreve(const Caixa& c) {
    return '"' + c.texto.toStdString() + "\" @" + std::to_string(c.inicioSelecao) + "+" +
           std::to_string(c.tamanhoSelecao);
}

} // namespace

TEST(AplicaTecla, ComoUmaCaixaDeTexto) {
    struct {
        Caixa antes;
        int tecla;
        Caixa depois;
    } casos[] = {
        {noFim("12"), '3', caixa("123", 3)},
        {caixa("12", 0), '3', caixa("312", 1)},
        {caixa("1234", 1, 2), '9', caixa("194", 2)},
        {caixa("1234", 0, 4), '9', caixa("9", 1)},
        {noFim("123"), teclaBackspace, caixa("12", 2)},
        {caixa("123", 0), teclaBackspace, caixa("123", 0)},
        {caixa("1234", 1, 2), teclaBackspace, caixa("14", 1)},
        {noFim("123"), teclaLineFeed, noFim("123")},
        {noFim("123"), 13, noFim("123")},
        // The maximum length holds typed characters back, but a replaced selection may still fit.
        {caixa("123", 3, 0, 3), '4', caixa("123", 3, 0, 3)},
        {caixa("123", 1, 1, 3), '4', caixa("143", 2, 0, 3)},
        // A caret or selection beyond the text is brought inside it.
        {caixa("12", 10, 5), '3', caixa("123", 3)},
        {caixa("12", -4, 1), '3', caixa("32", 1)},
    };
    for (const auto& c : casos) {
        const Caixa r = aplicaTecla(c.antes, c.tecla);
        EXPECT_EQ(r, c.depois) << descreve(c.antes) << " key " << c.tecla << " gave " << descreve(r);
    }
}

TEST(SomenteNumeros, SoDigitosEEdicao) {
    for (int tecla : std::initializer_list<int>{'0', '5', '9', teclaBackspace, teclaLineFeed})
        EXPECT_EQ(somenteNumeros(tecla), tecla) << tecla;
    for (int tecla :
         std::initializer_list<int>{'a', 'Z', ',', '.', ' ', '-', '/', 13, 27, 0, 0xE9, -1, 0x10000 + '1'})
        EXPECT_EQ(somenteNumeros(tecla), 0) << tecla;

    const ResultadoTecla aceito = somenteNumeros(noFim("12"), '3');
    EXPECT_EQ(aceito.tecla, '3');
    EXPECT_EQ(aceito.caixa, caixa("123", 3));
    const ResultadoTecla recusado = somenteNumeros(noFim("12"), 'x');
    EXPECT_EQ(recusado.tecla, 0);
    EXPECT_EQ(recusado.caixa, noFim("12"));
}

TEST(DigitaValor, OitoInteirosEDuasDecimais) {
    struct {
        Caixa antes;
        int tecla;
        int passa; // the key the box still receives
        Caixa depois;
    } casos[] = {
        // A full integer part: the digit comes after an automatic comma, the caret at the end.
        {noFim("12345678"), '5', 0, noFim("12345678,5")},
        {caixa("12345678", 3), '5', 0, noFim("12345678,5")},
        {noFim("12345678"), ',', ',', noFim("12345678,")},
        {noFim("12345678"), teclaLineFeed, teclaLineFeed, noFim("12345678")},
        // Room left in the integer part.
        {noFim("123"), '4', '4', noFim("1234")},
        {noFim("123"), ',', ',', noFim("123,")},
        {noFim("123"), 'a', 0, noFim("123")},
        {noFim("123"), '.', 0, noFim("123")},
        {noFim("123"), '-', 0, noFim("123")},
        // One comma at most.
        {noFim("12,5"), ',', 0, noFim("12,5")},
        {noFim("12,"), ',', 0, noFim("12,")},
        // Decimals: the second digit is written at the end by the filter; a third is refused.
        {noFim("12,"), '5', '5', noFim("12,5")},
        {noFim("12,5"), '1', 0, noFim("12,51")},
        {caixa("12,5", 0), '9', 0, noFim("12,59")},
        {noFim("12,5"), 'x', 0, noFim("12,5")},
        {noFim("12,50"), '1', 0, noFim("12,50")},
        {noFim("12345678,5"), '0', 0, noFim("12345678,50")},
        // Room in the integer part while the decimals are not full.
        {caixa("12,", 0), '9', '9', caixa("912,", 1)},
        // A digit replaces a wholly selected text; other keys do not get that pass.
        {caixa("1234,56", 0, 7), '9', '9', caixa("9", 1)},
        {caixa("1234,56", 0, 7), ',', 0, caixa("1234,56", 0, 7)},
        {caixa("1234,56", 0, 7), 'a', 0, caixa("1234,56", 0, 7)},
        // Backspace always passes, even when deleting the comma joins nine integer digits (the box is
        // checked when it is left).
        {noFim("1234,5"), teclaBackspace, teclaBackspace, noFim("1234,")},
        {noFim("12,50"), teclaBackspace, teclaBackspace, noFim("12,5")},
        {caixa("1", 0, 1), teclaBackspace, teclaBackspace, caixa("", 0)},
        {caixa("12345678,5", 9), teclaBackspace, teclaBackspace, caixa("123456785", 8)},
        {caixa("12345678,50", 9), teclaBackspace, teclaBackspace, caixa("1234567850", 8)},
    };
    for (const auto& c : casos) {
        const ResultadoTecla r = digitaValor(c.antes, c.tecla, 8, 2);
        EXPECT_EQ(r.tecla, c.passa) << descreve(c.antes) << " key " << char(c.tecla);
        EXPECT_EQ(r.caixa, c.depois) << descreve(c.antes) << " key " << char(c.tecla) << " gave "
                                     << descreve(r.caixa);
    }
}

TEST(DigitaValor, CaixaVaziaSoAceitaTeclasDeValor) {
    for (int tecla : {'0', '7', ','}) {
        const ResultadoTecla r = digitaValor(caixa("", 0), tecla, 8, 2);
        EXPECT_EQ(r.tecla, tecla);
        EXPECT_EQ(r.caixa, caixa(QString(QChar(tecla)), 1));
    }
    for (int tecla : {teclaBackspace, teclaLineFeed}) {
        const ResultadoTecla r = digitaValor(caixa("", 0), tecla, 8, 2);
        EXPECT_EQ(r.tecla, tecla);
        EXPECT_EQ(r.caixa, caixa("", 0));
    }
    for (int tecla : std::initializer_list<int>{'a', '.', '-', ' ', 13}) {
        const ResultadoTecla r = digitaValor(caixa("", 0), tecla, 8, 2);
        EXPECT_EQ(r.tecla, 0) << tecla;
        EXPECT_EQ(r.caixa, caixa("", 0));
    }
}

TEST(DigitaValor, NenhumaTeclaPassaDosLimites) {
    // Keys the position-blind rules would let through, each of which would leave more than eight
    // integer digits or more than two decimals in the box.
    struct {
        Caixa antes;
        int tecla;
    } casos[] = {
        {caixa("12345678,", 0), '9'}, // a ninth integer digit before the comma
        {caixa("123456", 2), ','},    // 12,3456
        {caixa("12345678", 2), ','},  // 12,345678
    };
    for (const auto& c : casos) {
        const ResultadoTecla r = digitaValor(c.antes, c.tecla, 8, 2);
        EXPECT_EQ(r.tecla, 0) << descreve(c.antes) << " key " << c.tecla;
        EXPECT_EQ(r.caixa, c.antes) << descreve(c.antes) << " key " << c.tecla;
    }
    // Typing amounts key by key never goes past the limits.
    Caixa c = caixa("", 0);
    for (QChar ch : QStringLiteral("123456789012,345")) {
        const ResultadoTecla r = digitaValor(c, ch.unicode(), 8, 2);
        c = r.caixa;
    }
    EXPECT_EQ(c.texto, QStringLiteral("12345678,90"));
}

TEST(DigitaValor, OutrosLimites) {
    // Three integer digits and no decimals: a fourth digit finds no room for its comma's decimals.
    EXPECT_EQ(digitaValor(noFim("123,"), '4', 3, 0).tecla, 0);
    EXPECT_EQ(digitaValor(noFim("12"), '3', 3, 0).caixa.texto, QStringLiteral("123"));
    // A box already holding more than the limits can still be cut down.
    const ResultadoTecla r = digitaValor(noFim("1234567890"), teclaBackspace, 8, 2);
    EXPECT_EQ(r.caixa.texto, QStringLiteral("123456789"));
}

TEST(ValidaCampoValor, AoSairFormataOuRecusaOQuePassaDosLimites) {
    struct {
        QString texto;
        bool ok;
        QString fica;
    } casos[] = {
        {"", true, "0,00"},
        {"1234,5", true, "1.234,50"},
        {"12345678,90", true, "12.345.678,90"},
        {"99999999,99", true, "99.999.999,99"},
        {",5", true, "0,50"},
        {"1234", true, "1.234,00"},
        {"1.234,56", true, "1.234,56"},
        {"00000012,00", true, "12,00"},
        // What Backspace can leave behind, and what a paste could bring.
        {"123456785", false, "123456785"},
        {"100000000,00", false, "100000000,00"},
        {"12,345", false, "12,345"},
        {"12a", false, "12a"},
        {",", false, ","},
        {"-5,00", false, "-5,00"},
        {" ", false, " "},
    };
    for (const auto& c : casos) {
        const ResultadoCampo r = validaCampoValor(c.texto, 8);
        EXPECT_EQ(r.ok, c.ok) << c.texto.toStdString();
        EXPECT_EQ(r.texto, c.fica) << c.texto.toStdString();
        if (c.ok) {
            EXPECT_TRUE(r.mensagem.isEmpty()) << c.texto.toStdString();
        } else {
            EXPECT_TRUE(r.mensagem.contains(QStringLiteral("8 dígitos"))) << r.mensagem.toStdString();
            EXPECT_EQ(r.icone, ResultadoCampo::Icone::Critico);
        }
    }
    // Typing past the limit with Backspace and leaving the box: the amount never gets through.
    const Caixa c = digitaValor(caixa("12345678,5", 9), teclaBackspace, 8, 2).caixa;
    EXPECT_FALSE(validaCampoValor(c.texto, 8).ok) << c.texto.toStdString();
}

TEST(RemoveCaractere, SoComUmCaractere) {
    struct {
        QString texto;
        QString c;
        QString esperado;
    } casos[] = {
        {"1.234.567,00", ".", "1234567,00"},
        {"12.345.678-9", "-", "12.345.6789"},
        {"1.234", "", "1.234"},
        {"a..b", "..", "a..b"},
        {"", ".", ""},
        {"...", ".", ""},
    };
    for (const auto& c : casos)
        EXPECT_EQ(removeCaractere(c.texto, c.c), c.esperado) << c.texto.toStdString();
}

TEST(SelecionaTextoValor, TiraPontosEsvaziaZeroESelecionaTudo) {
    struct {
        QString texto;
        QString fica;
    } casos[] = {
        {"1.234,00", "1234,00"},
        {"1.000.000,50", "1000000,50"},
        {"0,00", ""},
        {"0.000,00", "0000,00"}, // only the exact text "0,00" is emptied
        {"0,01", "0,01"},
        {"", ""},
        {"12345678901", "12345678901"},
    };
    for (const auto& c : casos) {
        const Caixa r = selecionaTextoValor(caixa(c.texto, 2, 0, 11));
        EXPECT_EQ(r, caixa(c.fica, 0, c.fica.size(), 11)) << c.texto.toStdString();
    }
}
