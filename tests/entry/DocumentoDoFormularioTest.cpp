// What saving the entry form stores: each reference kind takes its own fields, the last payment date is
// kept as day/month/year, the amounts as the tables keep them and the identification without its mask.
#include "entry/DocumentoDoFormulario.h"
#include "entry/Preenchimento.h"

#include <QDate>
#include <gtest/gtest.h>

namespace {

using zove::Preenchimento;
using zove::Selecao;

const QDate kHoje(2026, 12, 10);

Preenchimento formulario() {
    Preenchimento p;
    p.receita = {"7307 - ICMS", 7307, 0};
    p.tipoIdentificacao = {"CPF", 3, 2};
    p.identificacao = "111.444.777-35";
    p.nome = "MARIA";
    p.ano1 = "2026";
    p.mes = {"Março", 3, 2};
    p.anoPeriodo = "2024";
    p.valorPeriodo = {"2º semestre", 2, 1};
    p.anoQuota = "2023";
    p.quota = {"Quota 11", 11, 10};
    p.numParcela = "0007";
    p.ano = "2022";
    p.dataMaxPagto = "310326";
    p.dataVencimento = "10/03/2026";
    p.valorPrincipal = "1.234,50";
    p.valorMulta = "0,00";
    p.valorJuros = "5";
    p.valorCorrecao = "";
    p.valorTotal = "1.239,50";
    return p;
}

TEST(DocumentoDoFormulario, CadaTipoDeReferenciaUsaOsSeusCampos) {
    const std::pair<const char*, const char*> casos[] = {
        {"1", "202603"}, {"", "202603"}, {"2", "202402"}, {"4", "202311"},
        {"3", "0007"},   {"5", "2022"},  {"9", "000000"},
    };
    for (const auto& [tipo, referencia] : casos) {
        SCOPED_TRACE(tipo);
        Preenchimento p = formulario();
        p.flags.MVD_REFERENCIA = tipo;
        const auto linhas = zove::documento::linhas(zove::valoresDoFormulario(p, kHoje), kHoje);
        EXPECT_EQ(linhas.zov.REFERENCIA, QString(referencia));
    }
}

TEST(DocumentoDoFormulario, DatasValoresECodigos) {
    Preenchimento p = formulario();
    const auto v = zove::valoresDoFormulario(p, kHoje);
    EXPECT_EQ(v.tipoIdentificacao, "3");
    EXPECT_EQ(v.identificacao, "11144477735");
    EXPECT_EQ(v.larguraIdentificacao, 11);
    EXPECT_EQ(v.receita, "7307");
    EXPECT_EQ(v.dataCalculo, "31/03/2026");
    EXPECT_EQ(v.dataVencimento, "10/03/2026");
    EXPECT_EQ(v.principal, "1234,50");
    EXPECT_EQ(v.juros, "5,00");
    EXPECT_EQ(v.correcao, "0,00");
    EXPECT_EQ(v.total, "1239,50");
    EXPECT_TRUE(v.municipio.isEmpty());
    EXPECT_TRUE(v.classe.isEmpty());

    // Nothing chosen in a list is "0"; a kind without a mask keeps its width open; a date that cannot be
    // read stays as typed.
    p.tipoIdentificacao = {};
    p.receita = {};
    p.dataMaxPagto = "99/99";
    p.municipio = {"Brasília", 5300108, 0};
    const auto sem = zove::valoresDoFormulario(p, kHoje);
    EXPECT_EQ(sem.tipoIdentificacao, "0");
    EXPECT_EQ(sem.receita, "0");
    EXPECT_EQ(sem.larguraIdentificacao, 0);
    EXPECT_EQ(sem.dataCalculo, "99/99");
    EXPECT_EQ(sem.municipio, "5300108");
    p.tipoIdentificacao = {"Outro documento", 4, 3};
    EXPECT_EQ(zove::valoresDoFormulario(p, kHoje).larguraIdentificacao, 0);
}

} // namespace
