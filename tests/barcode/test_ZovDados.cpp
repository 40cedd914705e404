#include "barcode/ZovDados.h"

#include <gtest/gtest.h>

using zove::ZovDados;

TEST(ZovDados, PropriedadesNuncaDefinidasLidasComoVazias) {
    ZovDados d;
    EXPECT_TRUE(d.CodReceita().isEmpty());
    EXPECT_TRUE(d.tipoIdentificacao().isEmpty());
    EXPECT_TRUE(d.NumIdentificacao().isEmpty());
    EXPECT_TRUE(d.PeriodoReferencia().isEmpty());
    EXPECT_TRUE(d.NumDocumentoOrigem().isEmpty());
    EXPECT_TRUE(d.CodClasseVencimento().isEmpty());
    EXPECT_TRUE(d.IdClasseVencimento().isEmpty());
    EXPECT_TRUE(d.CodMunicipio().isEmpty());
}

TEST(ZovDados, PropriedadesGuardamOTextoSemNormalizar) {
    ZovDados d;
    d.CodReceita(" 2135");
    d.tipoIdentificacao("2");
    d.NumIdentificacao("11.222.333/0001-81");
    d.PeriodoReferencia("012006");
    d.NumDocumentoOrigem("00000123");
    d.CodClasseVencimento("1");
    d.IdClasseVencimento("480");
    d.CodMunicipio("07");
    EXPECT_EQ(d.CodReceita(), " 2135");
    EXPECT_EQ(d.tipoIdentificacao(), "2");
    EXPECT_EQ(d.NumIdentificacao(), "11.222.333/0001-81");
    EXPECT_EQ(d.PeriodoReferencia(), "012006");
    EXPECT_EQ(d.NumDocumentoOrigem(), "00000123");
    EXPECT_EQ(d.CodClasseVencimento(), "1");
    EXPECT_EQ(d.IdClasseVencimento(), "480");
    EXPECT_EQ(d.CodMunicipio(), "07");
}

TEST(ZovDados, FormatarCortaAEsquerdaEPreencheComZeros) {
    struct Caso {
        const char* valor;
        qint16 tamanho;
        const char* esperado;
    };
    const Caso casos[] = {
        {"2135", 4, "2135"},
        {"12005", 6, "012005"},
        {"123456789012345", 13, "3456789012345"}, // the two leftmost digits are dropped
        {"12", 4, "0012"},
        {"0123456", 4, "3456"},
        {"072006", 2, "06"},
        {"0", 3, "000"},
        {" 12", 4, "0012"},   // blanks around a number do not count as characters of it
        {"", 4, ""},          // unset property: nothing to pad
        {"XYZ12", 4, "YZ12"}, // not a number: cut, no zeros
        {"A1", 4, "A1"},
        {"12", 0, ""},
        {"12", -1, ""},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(ZovDados::Formatar(QString::fromUtf8(c.valor), c.tamanho), QString::fromUtf8(c.esperado))
            << c.valor << " / " << c.tamanho;
    }
}
