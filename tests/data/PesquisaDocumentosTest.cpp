// The saved-document search without its window: each criterion, together, and the row texts.
#include "data/PesquisaDocumentos.h"
#include "data/FachadaFixture.h"

using namespace teste;
using zove::CriteriosPesquisa;

namespace {

class Pesquisa : public FachadaTeste {
protected:
    void SetUp() override {
        FachadaTeste::SetUp();
        escreveZOV({
            linhaZOV("1", "100", "11122233344", "1"),
            linhaZOV("2", "200", "11122233344", "0"),
            linhaZOV("3", "100", "12345678000190", "0"),
            linhaZOV("4", "999", "11122233344", "1"), // revenue not in the table
            linhaZOV("5", "100", "55566677788", "0"), // taxpayer not saved
            linhaZOV("6", "200", "98765432100", "1"),
        });
        escreveCONTRIBUINTE({
            "3|11122233344|Maria da Silva|61|5551234",
            "2|12345678000190|PADARIA CONCEI&Ccedil;&Atilde;O LTDA|11|1234",
            "3|98765432100|JOSÉ SILVANO|21|9",
        });
        carregaTabelas();
    }

    QStringList numeros(const CriteriosPesquisa& c) {
        const auto achados = zove::pesquisaDocumentos(refs, c);
        EXPECT_TRUE(achados);
        QStringList n;
        if (achados)
            for (const auto& z : *achados)
                n.append(z->NUM_DOCUMENTO);
        return n;
    }
};

TEST_F(Pesquisa, EachCriterionAndTogether) {
    using I = CriteriosPesquisa::Impresso;
    struct Caso {
        const char* nome;
        CriteriosPesquisa criterios;
        QStringList esperado;
    };
    const Caso casos[] = {
        {"none: every document with known revenue and taxpayer", {}, {"1", "2", "3", "6"}},
        {"revenue type", {"", "", "2", "", I::Qualquer}, {"2", "6"}},
        {"revenue", {"", "", "", "100", I::Qualquer}, {"1", "3"}},
        {"identification digits", {"11122233344", "", "", "", I::Qualquer}, {"1", "2"}},
        {"identification typed with punctuation", {"111.222.333-44", "", "", "", I::Qualquer}, {"1", "2"}},
        {"identification is whole, not a part", {"1112223334", "", "", "", I::Qualquer}, {}},
        {"name in other case", {"", "silva", "", "", I::Qualquer}, {"1", "2", "6"}},
        {"name upper-cased with accents", {"", QStringLiteral("CONCEIÇÃO"), "", "", I::Qualquer}, {"3"}},
        {"name with accents in mixed case", {"", QStringLiteral("Conceição"), "", "", I::Qualquer}, {"3"}},
        {"printed", {"", "", "", "", I::Sim}, {"1", "6"}},
        {"not printed", {"", "", "", "", I::Nao}, {"2", "3"}},
        {"all together", {"11122233344", "MARIA", "1", "100", I::Sim}, {"1"}},
        {"together, one criterion fails", {"11122233344", "MARIA", "2", "100", I::Qualquer}, {}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(numeros(c.criterios), c.esperado);
    }
}

TEST_F(Pesquisa, StoredIdentificationWithPunctuationIsFound) {
    escreveZOV({linhaZOV("1", "100", "111.222.333-44")});
    escreveCONTRIBUINTE({"3|111.222.333-44|ANA|61|1"});
    carregaTabelas();
    EXPECT_EQ(numeros({"11122233344", "", "", "", CriteriosPesquisa::Impresso::Qualquer}), QStringList{"1"});
}

TEST_F(Pesquisa, RowTextsJoinRevenueAndTaxpayerAndFormatTheTotal) {
    const auto achados = zove::pesquisaDocumentos(refs, {});
    ASSERT_TRUE(achados);
    ASSERT_GE(achados->Count(), 3);
    EXPECT_EQ(zove::colunasDaLinha(*achados->Item(3)),
              (QStringList{"3", "100 - ICMS", "12345678000190", QStringLiteral("PADARIA CONCEIÇÃO LTDA"),
                           "01/04/2005", "100,50"}));

    tabulon::ZOV z;
    struct Caso {
        const char* armazenado;
        const char* mostrado;
    };
    for (const Caso& c : {Caso{"1234567,8", "1.234.567,80"}, Caso{"1.234,56", "1.234,56"}, Caso{"0", "0,00"},
                          Caso{"abc", "abc"}}) {
        z.VALOR_TOTAL = QString::fromLatin1(c.armazenado);
        EXPECT_EQ(zove::colunasDaLinha(z).at(5), QString::fromLatin1(c.mostrado)) << c.armazenado;
    }
}

TEST_F(Pesquisa, NoTablesNoSearch) {
    refs.oCONTRIBUINTEs.reset();
    EXPECT_FALSE(zove::pesquisaDocumentos(refs, {}));
}

} // namespace
