// Date and year checks.
#include "validation/Validacao.h"

#include <gtest/gtest.h>

using namespace zove;

namespace {
const QDate hoje2026(2026, 5, 10);
const QDate hoje1999(1999, 12, 31);
} // namespace

TEST(ValidaDataTexto, Casos) {
    struct {
        QString data;
        bool valida;
    } casos[] = {
        {"", true},
        {"   ", true},
        {"311206", true}, // 31/12/2006
        {"31/12/06", true},
        {"31122006", true},
        {"31/12/2006", true},
        {" 31/12/2006 ", true},
        {"1122006", true}, // zero-filled: 01/12/2006
        {"290224", true},  // 29/02/2024
        {"290223", false},
        {"31/02/2006", false},
        {"32122006", false},
        {"31132006", false},
        {"01002006", false},
        {"00/00/0000", false},
        {"1/1/2006", false}, // six digits, read as 11/20/2006
        {"31-12-2006", false},
        {"ab/cd/efgh", false},
        {"311220061", false}, // a ninth digit is not a date
        {QString(100'000, QLatin1Char('1')), false},
    };
    for (const auto& c : casos)
        EXPECT_EQ(validaDataTexto(c.data, hoje2026), c.valida) << c.data.left(20).toStdString();
}

TEST(ValidaDataTexto, AnoDeDoisDigitosFicaNoSeculoCorrente) {
    // 29/02 exists in 2000 but not in 1900.
    EXPECT_TRUE(validaDataTexto("290200", hoje2026));
    EXPECT_FALSE(validaDataTexto("290200", hoje1999));
    EXPECT_TRUE(validaDataTexto("29022000", hoje1999));
}

TEST(ValidaCampoData, DataValidaVoltaComBarras) {
    struct {
        QString digitado;
        QDate hoje;
        QString esperado;
    } casos[] = {
        {"31122006", hoje2026, "31/12/2006"},     {"311206", hoje2026, "31/12/2006"},
        {"311206", hoje1999, "31/12/1906"},       {"29/02/2024", hoje2026, "29/02/2024"},
        {"0103/2025", hoje2026, "01/03/2025"},    {"1122006", hoje2026, "01/12/2006"},
        {" 31/12/2006 ", hoje2026, "31/12/2006"}, {"", hoje2026, ""},
    };
    for (const auto& c : casos) {
        const ResultadoCampo r = validaCampoData(c.digitado, c.hoje);
        EXPECT_TRUE(r.ok) << c.digitado.toStdString();
        EXPECT_EQ(r.texto, c.esperado) << c.digitado.toStdString();
        EXPECT_TRUE(r.mensagem.isEmpty()) << c.digitado.toStdString();
    }
}

TEST(ValidaCampoData, DataRecusadaFicaSemBarrasComAMensagem) {
    struct {
        QString digitado;
        QString fica;
    } casos[] = {
        {"3112", "3112"}, // fewer than six characters
        {"31/1", "311"},
        {"31/02/2006", "31022006"}, // not a calendar date
        {"31132006", "31132006"},   // month 13
        {"01002006", "01002006"},   // month 00
        {"290223", "290223"},
        {"12a45678", "12a45678"},
        {"311220061", "311220061"},
        // Only the empty text counts as no date.
        {" ", " "},
        {"     ", "     "},
        {" / / ", "   "},
    };
    for (const auto& c : casos) {
        const ResultadoCampo r = validaCampoData(c.digitado, hoje2026);
        EXPECT_FALSE(r.ok) << c.digitado.toStdString();
        EXPECT_EQ(r.texto, c.fica) << c.digitado.toStdString();
        EXPECT_EQ(r.mensagem, QStringLiteral("Data inválida"));
        EXPECT_EQ(r.icone, ResultadoCampo::Icone::Critico);
    }
}

TEST(ValidaAno, Limites) {
    struct {
        QString ano;
        bool ok;
    } casos[] = {
        {"", true},
        {"  ", true},
        {"1990", true},
        {"2026", true},
        {"2040", true},
        {" 2000 ", true},
        {"02000", true},
        {"1989", false},
        {"2041", false},
        {"0", false},
        {"abc", false},
        {"20a0", false},
        {"-2000", false},
        {"20.00", false},
        {"99999999999999999999", false},
        {"00000000000000002000", true},
    };
    for (const auto& c : casos) {
        const ResultadoCampo r = validaAno(c.ano);
        EXPECT_EQ(r.ok, c.ok) << c.ano.toStdString();
        EXPECT_EQ(r.texto, c.ano);
        if (c.ok) {
            EXPECT_TRUE(r.mensagem.isEmpty()) << c.ano.toStdString();
        } else {
            EXPECT_EQ(r.mensagem, QStringLiteral("Ano deve ser entre 1990 e 2040"));
            EXPECT_EQ(r.titulo, QStringLiteral("Aviso"));
            EXPECT_EQ(r.icone, ResultadoCampo::Icone::Informacao);
        }
    }
}
