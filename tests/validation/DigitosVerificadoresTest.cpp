// Check digits of identification and originating-document numbers.
#include "support/TestSupport.h"
#include "tabulon/Colecoes.h"
#include "tabulon/Init.h"
#include "validation/Validacao.h"

#include <gtest/gtest.h>

#include <vector>

using namespace zove;

namespace {

struct Caso {
    QString numero;
    bool valido;
};

std::ostream& operator<<(std::ostream& os, const Caso& c) {
    return os << '"' << c.numero.toStdString() << "\" -> " << (c.valido ? "valid" : "invalid");
}

// A modulo-11 check digit for weight w alone: remainders 0 and 1 give 0.
int digitoParaPeso(int peso) {
    const int r = peso % 11;
    return r >= 2 ? 11 - r : 0;
}

} // namespace

TEST(CalculaDVModulo11, DigitosConhecidos) {
    struct {
        QString digitos;
        int pesoMaximo;
        int esperado;
    } casos[] = {
        // CPF 111.444.777-35: 7*2+7*3+7*4+4*5+4*6+4*7+1*8+1*9+1*10 = 162, 162 mod 11 = 8 -> 3.
        {"111444777", 11, 3},
        // 3*2+7*3+7*4+7*5+4*6+4*7+4*8+1*9+1*10+1*11 = 204, mod 11 = 6 -> 5.
        {"1114447773", 11, 5},
        // CNPJ 11.222.333/0001-81, weights 2..9 then 2..5: 102 mod 11 = 3 -> 8; then 120 mod 11 = 10 -> 1.
        {"112223330001", 9, 8},
        {"1122233300018", 9, 1},
        // Remainders 0 and 1 give 0: 0 and 6*2 = 12.
        {"0", 9, 0},
        {"6", 9, 0},
        // Remainder 10 gives 1: 5*2.
        {"5", 9, 1},
        // The ninth digit from the right: weight 2 after restarting at 9, weight 10 with 11.
        {"100000000", 9, 9},
        {"100000000", 11, 1},
        // A character that is not a digit counts 0: "1a1" is read as 1*4 + 0*3 + 1*2.
        {"1a1", 9, 5},
        {"101", 9, 5},
        {"", 9, 0},
    };
    for (const auto& c : casos)
        EXPECT_EQ(calculaDVModulo11(c.digitos, c.pesoMaximo), c.esperado)
            << c.digitos.toStdString() << " / " << c.pesoMaximo;
}

TEST(CalculaDVModulo11, TextosMuitoLongos) {
    // Leading zeros add nothing whatever the length, so the digit is that of the last character.
    const QString zeros = QString(1'000'000, QLatin1Char('0')) + QLatin1Char('5');
    EXPECT_EQ(calculaDVModulo11(zeros, 9), 1);
    EXPECT_EQ(calculaDVModulo11(zeros, 32767), 1);
    // A million nines: with maximum 2 every weight is 2, 18 000 000 mod 11 = 7 -> 4; with no
    // practical maximum the weights run 2..1 000 001 and the sum 4 500 013 500 000 (far beyond
    // 32 bits) is 7 mod 11 as well.
    const QString noves(1'000'000, QLatin1Char('9'));
    EXPECT_EQ(calculaDVModulo11(noves, 2), 4);
    EXPECT_EQ(calculaDVModulo11(noves, 2147483647), 4);
}

TEST(ConfereModulo11, PesosSobemAteOMaximoMaisUmEReiniciamEmTres) {
    // A single 1 at position k (from the right, before the check digit) makes the sum equal to the
    // weight of that position. With maximum 9 the weights run 2..10, then 3..10, 3..10 ...
    const std::vector<int> pesos = {2, 3, 4, 5, 6, 7, 8, 9, 10, 3, 4, 5, 6, 7, 8, 9, 10, 3, 4};
    for (size_t k = 1; k <= pesos.size(); ++k) {
        const QString base = QLatin1Char('1') + QString(static_cast<qsizetype>(k - 1), QLatin1Char('0'));
        const int certo = digitoParaPeso(pesos[k - 1]);
        for (int d = 0; d <= 9; ++d)
            EXPECT_EQ(confereModulo11(base + QString::number(d), 9), d == certo)
                << "position " << k << ", digit " << d;
    }
    // The same ninth position under calculaDVModulo11 weighs 2, not 10.
    EXPECT_NE(digitoParaPeso(10), calculaDVModulo11("100000000", 9));
}

TEST(ConfereModulo11, RestosZeroEUmExigemZero) {
    EXPECT_TRUE(confereModulo11("00", 9));
    EXPECT_FALSE(confereModulo11("01", 9));
    EXPECT_TRUE(confereModulo11("60", 9)); // 6*2 = 12, remainder 1
    EXPECT_FALSE(confereModulo11("61", 9));
}

TEST(ConfereModulo11, TextoMalFormadoEhInvalido) {
    for (const char* n : {"", "1000000001a", "10000000a01", "a", " 1000000001"})
        EXPECT_FALSE(confereModulo11(n, 9)) << n;
    EXPECT_TRUE(confereModulo11("1000000001", 9));
}

TEST(ValidaCPF, Casos) {
    const Caso casos[] = {
        {"11144477735", true},
        {"11144477734", false}, // second digit wrong
        {"11144477745", false}, // first digit wrong
        {" 11144477735 ", true},
        {"00000000272", true},
        {"272", true},             // zero-filled first
        {"1234552", true},         // 000.012.345-52
        {"00000000191", false},    // right digits, refused on purpose
        {"191", false},            // the same number once zero-filled
        {"11111111111", true},     // all digits equal: no special rule
        {"111.444.777-35", false}, // punctuation is not a digit
        {"", false},
        {"abc", false},
        {"1114447773a", false},
        // Twelve digits whose first eleven positions would pass the digit arithmetic: not a CPF.
        {"111444777030", false},
        {QString(100'000, QLatin1Char('9')), false},
    };
    for (const auto& c : casos)
        EXPECT_EQ(validaCPF(c.numero), c.valido) << c;
}

TEST(ValidaCNPJ, Casos) {
    const Caso casos[] = {
        {"11222333000181", true},
        {"60601619000183", true},
        {"11222333000182", false},
        {"11222333000171", false},
        {"00000000000272", true},
        {"272", true},
        {"00000000000191", false},
        {"191", false},
        {"11.222.333/0001-81", false},
        {"", false},
        {"x", false},
        {"112223330001587", false}, // fifteen digits
    };
    for (const auto& c : casos)
        EXPECT_EQ(validaCNPJ(c.numero), c.valido) << c;
}

TEST(ValidaInscricaoEstadual, PorPrefixo) {
    const Caso casos[] = {
        // "25": any last digit.
        {"250000000", true},
        {"251234567", true},
        {"251234568", true},
        {"259999999", true},
        // "26": its check digit (2*6+... = 143, remainder 0 -> 0).
        {"261234560", true},
        {"261234561", false},
        {"260000000", true},
        {"260000001", false},
        // Anything else.
        {"241234567", false},
        {"271234560", false},
        {"123456789", false},
        {"25", false}, // 000000025
        {"", false},
        {"25123456a", false},
        {"2512345678", false}, // ten digits
    };
    for (const auto& c : casos)
        EXPECT_EQ(validaInscricaoEstadual(c.numero), c.valido) << c;
}

TEST(ValidaNumeroRenavam, Casos) {
    const Caso casos[] = {
        // 8*2+7*3+6*4+5*5+4*6+3*7+2*8+1*9 = 156, remainder 2 -> 9.
        {"123456789", true}, {"123456788", false}, {"000001236", true},  {"1236", true},
        {"0", true},         {"", false},          {"12345678x", false}, {"1234567890", false},
    };
    for (const auto& c : casos)
        EXPECT_EQ(validaNumeroRenavam(c.numero), c.valido) << c;
}

TEST(ValidaModulo11, Casos) {
    const Caso casos[] = {
        // 000001000063: 6*2 + 1*7 = 19, remainder 8 -> 3.
        {"1000063", true},
        {"1000064", false},
        {"123456789010", true},
        {"123456789011", false},
        // Longer than twelve digits: still all but the last against the last.
        {"11222333000181", true},
        {"0", true},
        {"", false},
        {"10000a3", false},
    };
    for (const auto& c : casos)
        EXPECT_EQ(validaModulo11(c.numero), c.valido) << c;
}

TEST(ValidaModulo97, Casos) {
    const Caso casos[] = {
        // 123456789 - 100 = 123456689 = 97 * 1272749 + 36.
        {"12345678936", true},
        {"12345678937", false},
        // 987654321 - 100 = 987654221 = 97 * 10181984 + 27.
        {"98765432127", true},
        // Zero-filled to 00001234523: 000012345 - 100 = 12245 = 97 * 126 + 23.
        {"1234523", true},
        {"1234524", false},
        // Fails the modulo-97 check, passes modulo 11.
        {"1000063", true},
        // First nine digits below 100: the remainder is negative and never matches.
        {"99", false},
        {"", false},
        {"1234567893x", false},
    };
    for (const auto& c : casos)
        EXPECT_EQ(validaModulo97(c.numero), c.valido) << c;
}

TEST(ValidaDocumentoTabela, CertidaoAntigaOuModulo11) {
    tabulon::TAB_CERT_ANTIGAs certidoes;
    certidoes.NewCert_Antiga("1000000");
    certidoes.NewCert_Antiga("777");
    certidoes.NewCert_Antiga("777"); // listed twice: not a single match

    EXPECT_TRUE(validaDocumentoTabela("1000000", &certidoes));
    EXPECT_TRUE(validaDocumentoTabela("01000000", &certidoes)); // one leading zero dropped
    EXPECT_FALSE(validaDocumentoTabela("001000000", &certidoes));
    EXPECT_FALSE(validaDocumentoTabela("777", &certidoes));
    EXPECT_FALSE(validaDocumentoTabela("1000000", nullptr));
    EXPECT_TRUE(validaDocumentoTabela("1000063", &certidoes)); // not listed, modulo 11
    EXPECT_TRUE(validaDocumentoTabela("1000063", nullptr));
    EXPECT_FALSE(validaDocumentoTabela("0", &certidoes));
    EXPECT_FALSE(validaDocumentoTabela("", &certidoes));
}

TEST(ValidaDocumentoOrigem, PorTipo) {
    tabulon::TAB_CERT_ANTIGAs certidoes;
    certidoes.NewCert_Antiga("1000000");

    struct {
        QString numero;
        QString tipo;
        bool valido;
    } casos[] = {
        // "1": old certificate, CPF or CNPJ.
        {"1000000", "1", true},
        {" 01000000 ", "1", true},
        {"11144477735", "1", true},
        {"11222333000181", "1", true},
        {"11144477736", "1", false},
        // "2": modulo 97 (which itself falls back to modulo 11).
        {"12345678936", "2", true},
        {"1000063", "2", true},
        {"1000000", "2", false},
        // "3": modulo 11 with "4" or "2" in front, modulo 97, modulo 11.
        {"1000021", "3", true}, // only as 41000021
        {"1000000", "3", true}, // only as 21000000
        {"12345678936", "3", true},
        {"1000063", "3", true},
        {"1000001", "3", false},
        // "4": modulo 11 only.
        {"1000063", "4", true},
        {"12345678936", "4", false},
        {"1000021", "4", false},
        // "5" and "6": modulo 97 or modulo 11.
        {"12345678936", "5", true},
        {"1000063", "5", true},
        {"1000000", "5", false},
        {"12345678936", "6", true},
        {"1000063", "6", true},
        {"1000000", "6", false},
        // "11": ten digits checked with "2" or "4" in front, the rising weights.
        {"1000084", "11", true}, // only as 20001000084
        {"1000070", "11", true}, // only as 40001000070
        {"1000000", "11", false},
        {"1234567894", "11", true},
        {"100008a", "11", false},
        // Letters fail every check of a listed type.
        {"abc", "4", false},
    };
    for (const auto& c : casos)
        EXPECT_EQ(validaDocumentoOrigem(c.numero, c.tipo, &certidoes), c.valido)
            << c.numero.toStdString() << " type " << c.tipo.toStdString();
}

TEST(ValidaDocumentoOrigem, VazioOuTipoSemRegraEhValido) {
    for (const char* tipo : {"1", "2", "3", "4", "5", "6", "11", "9", "", "7", "12"}) {
        EXPECT_TRUE(validaDocumentoOrigem("", tipo, nullptr)) << tipo;
        EXPECT_TRUE(validaDocumentoOrigem("   ", tipo, nullptr)) << tipo;
    }
    for (const char* tipo : {"9", "", "7", "12", " 1"})
        EXPECT_TRUE(validaDocumentoOrigem("1000001", tipo, nullptr)) << tipo;
    EXPECT_FALSE(validaDocumentoOrigem("1000001", "1", nullptr));
}

TEST(ValidaDocumentoOrigem, CertidoesAntigasEntregues) {
    // The delivered old certificates fail modulo 11: type "1" accepts them through the table alone.
    const teste::PastaDados pasta;
    tabulon::Init init;
    init.sDiretorioDados(pasta.caminho());
    const auto certidoes = init.CarregarCertAntigas();
    ASSERT_TRUE(certidoes);
    ASSERT_GT(certidoes->Count(), 0);
    for (const auto& certidao : *certidoes) {
        const QString n = certidao->TCN_ID;
        EXPECT_TRUE(validaDocumentoOrigem(n, "1", certidoes.get())) << n.toStdString();
        EXPECT_TRUE(validaDocumentoOrigem(QLatin1Char('0') + n, "1", certidoes.get())) << n.toStdString();
        EXPECT_FALSE(validaDocumentoOrigem(n, "4", certidoes.get())) << n.toStdString();
        EXPECT_FALSE(validaDocumentoOrigem(n, "1", nullptr)) << n.toStdString();
    }
}
