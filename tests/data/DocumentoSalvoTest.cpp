// The saved document's rows from a document's values, and the values read back when it is reopened.
#include "data/DocumentoSalvo.h"
#include "data/CadastroContribuintes.h"
#include "data/FachadaFixture.h"

#include <QDate>

using namespace teste;
namespace documento = zove::documento;

namespace {

const QDate kHoje(2026, 12, 10);

documento::Valores valoresBase() {
    documento::Valores v;
    v.tipoIdentificacao = "3";
    v.identificacao = "11144477735";
    v.larguraIdentificacao = 11;
    v.nome = "MARIA";
    v.ddd = "61";
    v.fone = "33334444";
    v.receita = "7307";
    v.tipoReferencia = "1";
    v.anoReferencia = "2026";
    v.periodo = "3";
    v.dataVencimento = "10/04/2026";
    v.dataCalculo = "30/04/2026";
    v.principal = "100,50";
    v.multa = "0,00";
    v.juros = "2,05";
    v.correcao = "0,45";
    v.total = "103,00";
    return v;
}

// The whole row, field by field in the table's order, and the taxpayer's row beside it.
TEST(DocumentoSalvo, LinhasNaOrdemDaTabela) {
    const documento::Linhas l = documento::linhas(valoresBase(), kHoje);
    EXPECT_EQ(valores(l.zov),
              (QStringList{"", "3", "11144477735", "7307", "202603", "0", "10/04/2026", "30/04/2026",
                           "100,50", "2,05", "0,00", "0,45", "103,00", "10/12/2026", "OL", "0", "0", "0"}));
    EXPECT_EQ(valores(l.contribuinte), (QStringList{"3", "11144477735", "MARIA", "61", "33334444"}));
}

// Each reference kind takes its own parts, in the stored order: year first, then the two-digit month,
// period or quota.
TEST(DocumentoSalvo, ReferenciaDeCadaTipo) {
    struct Caso {
        const char* tipo;
        const char* ano;
        const char* periodo;
        const char* parcela;
        const char* gravada;
    };
    const Caso casos[] = {
        {"1", "2026", "3", "", "202603"},  {"", "2025", "12", "", "202512"},
        {"2", "2024", "7", "", "202407"},  {"4", "2023", "1", "", "202301"},
        {"3", "", "", "0012", "0012"},     {"5", "2022", "", "", "2022"},
        {"9", "2026", "3", "5", "000000"}, {"3", "", "", "", "000000"},
        {"1", "2026", "", "", "2026"}, // no month chosen: only the year
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.tipo);
        documento::Valores v = valoresBase();
        v.tipoReferencia = c.tipo;
        v.anoReferencia = c.ano;
        v.periodo = c.periodo;
        v.parcela = c.parcela;
        EXPECT_EQ(documento::linhas(v, kHoje).zov.REFERENCIA, QString(c.gravada));
    }
}

TEST(DocumentoSalvo, CodigosVaziosEIdentificacaoComLargura) {
    documento::Valores v = valoresBase();
    v.numDocumentoOrigem = "";
    v.municipio = "";
    v.classe = "";
    v.tipoIdentificacao = "1";
    v.identificacao = "1234567";
    v.larguraIdentificacao = 9;
    documento::Linhas l = documento::linhas(v, kHoje);
    EXPECT_EQ(l.zov.NUM_DOCUMENTO_ORIGEM, "0");
    EXPECT_EQ(l.zov.COD_MUNICIPIO, "0");
    EXPECT_EQ(l.zov.COD_CLASSE_VECTO, "0");
    EXPECT_EQ(l.zov.NUM_DOCUMENTO_IDENT, "001234567");
    EXPECT_EQ(l.contribuinte.DOCUMENTO_IDENTIFICACAO, "001234567");

    // A kind without a fixed width keeps the digits as given, leading zeros too.
    v.tipoIdentificacao = "4";
    v.identificacao = "000123";
    v.larguraIdentificacao = 0;
    v.numDocumentoOrigem = "55";
    v.municipio = "5300108";
    v.classe = "12";
    l = documento::linhas(v, kHoje);
    EXPECT_EQ(l.zov.NUM_DOCUMENTO_IDENT, "000123");
    EXPECT_EQ(l.zov.NUM_DOCUMENTO_ORIGEM, "55");
    EXPECT_EQ(l.zov.COD_MUNICIPIO, "5300108");
    EXPECT_EQ(l.zov.COD_CLASSE_VECTO, "12");
}

TEST(DocumentoSalvo, ValoresGravadosEmCentavos) {
    struct Caso {
        qint64 centavos;
        const char* gravado;
    };
    for (const Caso& c : {Caso{0, "0,00"}, Caso{5, "0,05"}, Caso{45, "0,45"}, Caso{10050, "100,50"},
                          Caso{123456789012, "1234567890,12"}, Caso{-250, "-2,50"}}) {
        EXPECT_EQ(documento::valorGravado(c.centavos), QString(c.gravado));
        EXPECT_EQ(documento::centavosGravados(documento::valorGravado(c.centavos)), c.centavos);
    }
    // What other writers left: the import's ",45" and "0", an older "1244.5", and unreadable text.
    struct Lido {
        const char* texto;
        qint64 centavos;
    };
    for (const Lido& l : {Lido{",45", 45}, Lido{"0", 0}, Lido{"1244.5", 124450}, Lido{" 7,10 ", 710},
                          Lido{"abc", 0}, Lido{"", 0}}) {
        SCOPED_TRACE(l.texto);
        EXPECT_EQ(documento::centavosGravados(l.texto), l.centavos);
    }
}

// Reopening reads back what saving wrote, by the reference kind of the revenue selected again.
TEST(DocumentoSalvo, ReabreOQueFoiGravado) {
    struct Caso {
        const char* tipo;
        const char* referencia;
        const char* ano;
        const char* periodo;
        const char* parcela;
    };
    const Caso casos[] = {
        {"1", "202603", "2026", "03", ""}, {"", "202512", "2025", "12", ""},
        {"2", "202407", "2024", "07", ""}, {"4", "202301", "2023", "01", ""},
        {"3", "0012", "", "", "0012"},     {"5", "2022", "2022", "", ""},
        {"9", "000000", "", "", ""},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.tipo);
        tabulon::ZOV z = documento::linhas(valoresBase(), kHoje).zov;
        z.REFERENCIA = c.referencia;
        const documento::Reaberto r = documento::reabre(z, c.tipo);
        EXPECT_EQ(r.anoReferencia, QString(c.ano));
        EXPECT_EQ(r.periodo, QString(c.periodo));
        EXPECT_EQ(r.parcela, QString(c.parcela));
        EXPECT_EQ(r.principal, 10050);
        EXPECT_EQ(r.juros, 205);
        EXPECT_EQ(r.correcao, 45);
        EXPECT_EQ(r.multa, 0);
        EXPECT_EQ(r.dataCalculo, "30/04/2026");
        EXPECT_EQ(r.dataVencimento, "10/04/2026");
    }

    // The stored placeholders for "none" come back empty.
    tabulon::ZOV z = documento::linhas(valoresBase(), kHoje).zov;
    z.DATA_VENCIMENTO = "00:00:00";
    z.NUM_DOCUMENTO_ORIGEM = "0";
    z.COD_MUNICIPIO = "000";
    z.COD_CLASSE_VECTO = " 0 ";
    documento::Reaberto r = documento::reabre(z, "1");
    EXPECT_TRUE(r.dataVencimento.isEmpty());
    EXPECT_TRUE(r.numDocumentoOrigem.isEmpty());
    EXPECT_TRUE(r.municipio.isEmpty());
    EXPECT_TRUE(r.classe.isEmpty());
    z.NUM_DOCUMENTO_ORIGEM = "881";
    z.COD_MUNICIPIO = "5300108";
    z.COD_CLASSE_VECTO = "12";
    r = documento::reabre(z, "1");
    EXPECT_EQ(r.numDocumentoOrigem, "881");
    EXPECT_EQ(r.municipio, "5300108");
    EXPECT_EQ(r.classe, "12");
}

class FachadaDocumento : public FachadaTeste {};

// An update keeps the document's number, state and printed mark; every taxpayer row of the type and
// identification is brought up to date, and none is added.
TEST_F(FachadaDocumento, SalvaDocumentoAtualizaSemTocarNumeroUfEMarca) {
    escreveZOV({linhaZOV("7", "100", "11144477735", "1", "XX")});
    escreveCONTRIBUINTE({"3|11144477735|UM||", "1|11144477735|OUTRO TIPO||", "3|11144477735|DOIS||"});
    carregaTabelas();
    const documento::Linhas l = documento::linhas(valoresBase(), kHoje);
    const auto r = fachada().SalvaDocumento(l, "7");
    ASSERT_TRUE(r.ok) << qPrintable(r.erro);
    EXPECT_EQ(r.numDocumento, "7");
    const auto zovs = zovsNoArquivo();
    ASSERT_EQ(zovs->Count(), 1);
    QStringList esperado = valores(l.zov);
    esperado[0] = "7";
    esperado[14] = "XX";
    esperado[17] = "1";
    EXPECT_EQ(valores(*zovs->Item(1)), esperado);
    QStringList nomes;
    const auto contribuintes = contribuintesNoArquivo();
    for (const auto& c : *contribuintes)
        nomes.append(c->TIPO_DOCUMENTO + ":" + c->RAZAO_SOCIAL + ":" + c->NUM_FONE);
    EXPECT_EQ(nomes, (QStringList{"3:MARIA:33334444", "1:OUTRO TIPO:", "3:MARIA:33334444"}));

    // A new one follows the last number; its taxpayer, now known, is not added again.
    const auto novo = fachada().SalvaDocumento(l);
    ASSERT_TRUE(novo.ok) << qPrintable(novo.erro);
    EXPECT_EQ(novo.numDocumento, "8");
    EXPECT_EQ(contribuintesNoArquivo()->Count(), 3);

    // A document deleted meanwhile is a failure that writes nothing.
    const QByteArray zovAntes = bytes("ZOV");
    const auto sumido = fachada().SalvaDocumento(l, "99");
    EXPECT_FALSE(sumido.ok);
    EXPECT_TRUE(sumido.erro.contains("99"));
    EXPECT_EQ(bytes("ZOV"), zovAntes);
}

// Each entry of the list drops one document with that number, in one write.
TEST_F(FachadaDocumento, ExcluiDocumentosUmPorEntrada) {
    escreveZOV({linhaZOV("1"), linhaZOV("2"), linhaZOV("2"), linhaZOV("2"), linhaZOV("3")});
    carregaTabelas();
    const auto r = fachada().ExcluiDocumentos({"2", "3", "2", "40"});
    ASSERT_TRUE(r.ok) << qPrintable(r.erro);
    QStringList restantes;
    const auto zovs = zovsNoArquivo();
    for (const auto& z : *zovs)
        restantes.append(z->NUM_DOCUMENTO);
    EXPECT_EQ(restantes, (QStringList{"1", "2"}));
}

// A source that refuses its input leaves the registry as it was, whatever it handed over before.
TEST_F(FachadaDocumento, JuntaContribuintesRecusadoNaoGravaNada) {
    escreveCONTRIBUINTE({"3|11144477735|UM||"});
    carregaTabelas();
    const QByteArray antes = bytes("CONTRIBUINTE");
    const auto um = [](const char* nome) {
        tabulon::CONTRIBUINTE c;
        c.TIPO_DOCUMENTO = "3";
        c.DOCUMENTO_IDENTIFICACAO = "22233344455";
        c.RAZAO_SOCIAL = nome;
        return c;
    };
    const auto recusado = fachada().JuntaContribuintes([&](const auto& acrescenta, QString* erro) {
        acrescenta(um("NOVO"));
        *erro = "linha 3 recusada";
        return false;
    });
    EXPECT_FALSE(recusado.ok);
    EXPECT_EQ(recusado.erro, "linha 3 recusada");
    EXPECT_EQ(bytes("CONTRIBUINTE"), antes);

    zove::cadastro::Mescla m;
    const auto aceito = fachada().JuntaContribuintes(
        [&](const auto& acrescenta, QString*) {
            acrescenta(um("NOVO"));
            acrescenta(um("NOVO"));
            return true;
        },
        &m);
    ASSERT_TRUE(aceito.ok) << qPrintable(aceito.erro);
    EXPECT_EQ(m.incluidos, 1);
    EXPECT_EQ(m.repetidos, 1);
    EXPECT_EQ(contribuintesNoArquivo()->Count(), 2);
}

} // namespace
