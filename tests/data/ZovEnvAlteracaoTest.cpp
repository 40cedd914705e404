// Changes through the data facade: what each one writes, the file it leaves, and the collection every
// holder of the references sees afterwards.
#include "data/FachadaFixture.h"

#include "tabulon/Texto1252.h"

#include <functional>

using namespace teste;

namespace {

class FachadaAlteracao : public FachadaTeste {};

QByteArray crlf(const QStringList& linhas) {
    QByteArray b;
    for (const QString& l : linhas)
        b += tabulon::codifica1252(l) + "\r\n";
    return b;
}

TEST_F(FachadaAlteracao, ZOVInsertGravaOsValoresNaOrdemDoRegistro) {
    const auto antes = refs.oZOVs;
    const auto r = fachada().ZOVInsert("COD", "DATU", "DCAL", "DVEN", "IDENT", "ORIG", "REF", "TIPO", "CORR",
                                       "JUR", "MUL", "PRI", "TOT", "MUN", "CLA");
    ASSERT_TRUE(r.ok) << qPrintable(r.erro);
    EXPECT_TRUE(r.gravou);
    EXPECT_EQ(r.numDocumento, "1");

    const QByteArray esperado =
        crlf({kCabecalhoZOV, "1|TIPO|IDENT|COD|REF|ORIG|DVEN|DCAL|PRI|JUR|MUL|CORR|TOT|DATU|OL|MUN|CLA|0"});
    EXPECT_EQ(bytes("ZOV"), esperado);
    EXPECT_EQ(bytes("ZOV_temp"), esperado);

    // The references hold a fresh load of the file.
    ASSERT_TRUE(refs.oZOVs);
    EXPECT_NE(refs.oZOVs, antes);
    EXPECT_EQ(antes->Count(), 0);
    ASSERT_EQ(refs.oZOVs->Count(), 1);
    EXPECT_EQ(refs.oZOVs->Item(1)->IMPRESSO, "0");
    EXPECT_EQ(refs.oZOVs->Item(1)->COD_UF, "OL");
    EXPECT_EQ(registros(*refs.oZOVs), registros(*zovsNoArquivo()));
}

TEST_F(FachadaAlteracao, NovoNumeroEhOUltimoDoArquivoMaisUm) {
    struct Caso {
        QStringList numeros;
        QString esperado;
    };
    const Caso casos[] = {
        {{}, "1"},         {{"1", "2", "5"}, "6"},
        {{"5", "2"}, "3"}, // the last line decides, not the largest number
        {{"007"}, "8"},    {{"99999999999"}, "100000000000"},
    };
    for (const Caso& c : casos) {
        QStringList linhas;
        for (const QString& n : c.numeros)
            linhas.append(linhaZOV(n));
        escreveZOV(linhas);
        carregaTabelas();

        const auto r = insere();
        ASSERT_TRUE(r.ok) << qPrintable(r.erro);
        EXPECT_EQ(r.numDocumento, c.esperado) << qPrintable(c.numeros.join(','));
        ASSERT_EQ(refs.oZOVs->Count(), c.numeros.size() + 1);
        EXPECT_EQ(refs.oZOVs->Item(refs.oZOVs->Count())->NUM_DOCUMENTO, c.esperado);
    }
}

TEST_F(FachadaAlteracao, UltimoNumeroNaoNumericoRecusaAInclusao) {
    for (const QString& ultimo : {QStringLiteral("A1"), QStringLiteral("1,5"), QStringLiteral("-3")}) {
        escreveZOV({linhaZOV("1"), linhaZOV(ultimo)});
        carregaTabelas();
        const QByteArray antes = bytes("ZOV");

        const auto r = insere();
        EXPECT_FALSE(r.ok) << qPrintable(ultimo);
        EXPECT_TRUE(r.erro.contains(ultimo)) << qPrintable(r.erro);
        EXPECT_EQ(bytes("ZOV"), antes);
        EXPECT_EQ(refs.oZOVs->Count(), 2);
    }
}

TEST_F(FachadaAlteracao, DocumentoExcluidoPorUltimoTemONumeroReusado) {
    escreveZOV({linhaZOV("1"), linhaZOV("2"), linhaZOV("3")});
    carregaTabelas();

    const auto excluido = fachada().ZOVDelete("3");
    ASSERT_TRUE(excluido.ok) << qPrintable(excluido.erro);
    EXPECT_TRUE(excluido.gravou);
    EXPECT_EQ(bytes("ZOV"), crlf({kCabecalhoZOV, linhaZOV("1"), linhaZOV("2")}));

    const auto r = insere();
    ASSERT_TRUE(r.ok) << qPrintable(r.erro);
    EXPECT_EQ(r.numDocumento, "3");
}

TEST_F(FachadaAlteracao, ZOVDeleteTiraSoOPrimeiroComONumero) {
    escreveZOV({linhaZOV("1", "100"), linhaZOV("2", "100"), linhaZOV("2", "200"), linhaZOV("3")});
    carregaTabelas();

    const auto r = fachada().ZOVDelete("2");
    ASSERT_TRUE(r.ok) << qPrintable(r.erro);
    EXPECT_EQ(bytes("ZOV"), crlf({kCabecalhoZOV, linhaZOV("1", "100"), linhaZOV("2", "200"), linhaZOV("3")}));
    EXPECT_EQ(refs.oZOVs->Count(), 3);
}

TEST_F(FachadaAlteracao, ZOVUpdateTrocaOsQuinzeCamposDoPrimeiroComONumero) {
    escreveZOV(
        {linhaZOV("7", "100", "111", "1", "XX"), linhaZOV("8"), linhaZOV("7", "100", "111", "0", "XX")});
    carregaTabelas();

    const auto r = fachada().ZOVUpdate("COD", "DATU", "DCAL", "DVEN", "IDENT", "ORIG", "REF", "TIPO", "CORR",
                                       "JUR", "MUL", "PRI", "TOT", "MUN", "CLA", "7");
    ASSERT_TRUE(r.ok) << qPrintable(r.erro);
    EXPECT_TRUE(r.gravou);
    // The number and the printed mark stay; the state becomes "OL"; the second "7" is untouched.
    EXPECT_EQ(
        bytes("ZOV"),
        crlf({kCabecalhoZOV, "7|TIPO|IDENT|COD|REF|ORIG|DVEN|DCAL|PRI|JUR|MUL|CORR|TOT|DATU|OL|MUN|CLA|1",
              linhaZOV("8"), linhaZOV("7", "100", "111", "0", "XX")}));
    EXPECT_EQ(registros(*refs.oZOVs), registros(*zovsNoArquivo()));
}

TEST_F(FachadaAlteracao, ZovUpdateImpresoMarcaOPrimeiroComONumero) {
    escreveZOV({linhaZOV("1"), linhaZOV("2"), linhaZOV("2")});
    carregaTabelas();

    const auto r = fachada().ZovUpdateImpreso("1", "2");
    ASSERT_TRUE(r.ok) << qPrintable(r.erro);
    EXPECT_EQ(bytes("ZOV"),
              crlf({kCabecalhoZOV, linhaZOV("1"), linhaZOV("2", "100", "11122233344", "1"), linhaZOV("2")}));
    // Read back from the column spelled "IMPRESO".
    EXPECT_EQ(refs.oZOVs->Item(2)->IMPRESSO, "1");
    EXPECT_EQ(refs.oZOVs->Item(3)->IMPRESSO, "0");
}

TEST_F(FachadaAlteracao, NumeroInexistenteNaoMudaNemRegrava) {
    // CR-only line ends load fine; any rewrite would turn them into CR LF.
    const QByteArray original =
        "NUM_DOCUMENTO|TIPO_DOCUMENTO_IDENT|NUM_DOCUMENTO_IDENT|COD_RECEITA|REFERENCIA|"
        "NUM_DOCUMENTO_ORIGEM|DATA_VENCIMENTO|DATA_CALCULO|VALOR_PRINCIPAL|VALOR_JUROS|"
        "VALOR_MULTA|VALOR_CORRECAO|VALOR_TOTAL|DATA_ATUALIZACAO|COD_UF|COD_MUNICIPIO|"
        "COD_CLASSE_VECTO|IMPRESO\r" +
        linhaZOV("12").toLatin1() + "\r";
    gravaArquivo(arquivo("ZOV"), original);
    carregaTabelas();
    const auto carregados = refs.oZOVs;

    std::vector<std::pair<const char*, zove::ResultadoAlteracao>> resultados;
    resultados.emplace_back("ZOVUpdate", fachada().ZOVUpdate("1", "2", "3", "4", "5", "6", "7", "8", "9",
                                                             "10", "11", "12", "13", "14", "15", "1"));
    resultados.emplace_back("ZovUpdateImpreso", fachada().ZovUpdateImpreso("1", "2"));
    resultados.emplace_back("ZOVDelete", fachada().ZOVDelete(" 12"));
    for (const auto& [nome, r] : resultados) {
        EXPECT_TRUE(r.ok) << nome;
        EXPECT_FALSE(r.gravou) << nome;
    }
    EXPECT_EQ(bytes("ZOV"), original);
    EXPECT_FALSE(QFileInfo::exists(arquivo("ZOV_temp")));
    // The table may have been read again to be sure it was current; it holds the same records.
    EXPECT_EQ(registros(*refs.oZOVs), registros(*carregados));
}

TEST_F(FachadaAlteracao, ContribuinteInsertNaoProcuraRepetidos) {
    for (int i = 0; i < 2; ++i) {
        const auto r = fachada().ContribuinteInsert("11122233344", "MARIA", "3", "61", "5551234");
        ASSERT_TRUE(r.ok) << qPrintable(r.erro);
    }
    const QByteArray esperado =
        crlf({kCabecalhoCONTRIBUINTE, "3|11122233344|MARIA|61|5551234", "3|11122233344|MARIA|61|5551234"});
    EXPECT_EQ(bytes("CONTRIBUINTE"), esperado);
    EXPECT_EQ(bytes("CONTRIBUINTE_temp"), esperado);
    EXPECT_EQ(refs.oCONTRIBUINTEs->Count(), 2);
}

TEST_F(FachadaAlteracao, ContribuinteUpdateProcuraSoPelaIdentificacao) {
    escreveCONTRIBUINTE({"2|999|LOJA|61|5550000", "3|111|MARIA|61|5551234", "1|111|SEGUNDA|62|5552222"});
    carregaTabelas();

    const auto r = fachada().ContribuinteUpdate("111", "MARIA DA SILVA", "2", "11", "99998888");
    ASSERT_TRUE(r.ok) << qPrintable(r.erro);
    EXPECT_TRUE(r.gravou);
    EXPECT_EQ(bytes("CONTRIBUINTE"), crlf({kCabecalhoCONTRIBUINTE, "2|999|LOJA|61|5550000",
                                           "2|111|MARIA DA SILVA|11|99998888", "1|111|SEGUNDA|62|5552222"}));
    EXPECT_EQ(registros(*refs.oCONTRIBUINTEs), registros(*contribuintesNoArquivo()));

    const auto nenhum = fachada().ContribuinteUpdate("11", "X", "3", "", "");
    EXPECT_TRUE(nenhum.ok);
    EXPECT_FALSE(nenhum.gravou);
}

TEST_F(FachadaAlteracao, RegeraTabelaAceitaONomeEmQualquerCaixa) {
    escreveZOV({linhaZOV("1"), linhaZOV("2")});
    escreveCONTRIBUINTE({"3|111|MARIA|61|5551234"});
    carregaTabelas();
    // A number emptied in memory leaves the file at the next rewrite.
    refs.oZOVs->Item(1)->NUM_DOCUMENTO.clear();

    const auto r = fachada().Regera_Tabela("zov");
    ASSERT_TRUE(r.ok) << qPrintable(r.erro);
    EXPECT_TRUE(r.gravou);
    EXPECT_EQ(bytes("ZOV"), crlf({kCabecalhoZOV, linhaZOV("2")}));

    refs.oCONTRIBUINTEs->Item(1)->NUM_FONE = "5550000";
    const auto c = fachada().Regera_Tabela("Contribuinte");
    ASSERT_TRUE(c.ok) << qPrintable(c.erro);
    EXPECT_EQ(bytes("CONTRIBUINTE"), crlf({kCabecalhoCONTRIBUINTE, "3|111|MARIA|61|5550000"}));

    const auto outra = fachada().Regera_Tabela("PARAMETROS");
    EXPECT_TRUE(outra.ok);
    EXPECT_FALSE(outra.gravou);
    EXPECT_FALSE(QFileInfo::exists(arquivo("PARAMETROS_temp")));
}

TEST_F(FachadaAlteracao, RegravacaoUsaOCabecalhoCarregado) {
    // Column names are found ignoring case, and an extra column is carried along in the header.
    const QString cabecalho = kCabecalhoZOV.toLower() + "|EXTRA";
    escreveZOV({linhaZOV("1") + "|x"}, cabecalho);
    carregaTabelas();

    const auto r = insere();
    ASSERT_TRUE(r.ok) << qPrintable(r.erro);
    const QList<QByteArray> linhas = tabulon::separaLinhas(bytes("ZOV"));
    ASSERT_EQ(linhas.size(), 3);
    EXPECT_EQ(linhas[0], cabecalho.toLatin1());
    for (const QByteArray& l : linhas) {
        EXPECT_FALSE(l.isEmpty());
        EXPECT_FALSE(l.startsWith(":):)"));
    }
    EXPECT_TRUE(bytes("ZOV").endsWith(QByteArray(linhaZOV("2").toLatin1() + "\r\n")));
    EXPECT_EQ(registros(*refs.oZOVs), registros(*zovsNoArquivo()));
    EXPECT_EQ(refs.oZOVs->Count(), 2);
}

TEST_F(FachadaAlteracao, ColecaoSemCabecalhoGravaOsNomesDasColunas) {
    // Built in memory, without a header: an empty first line would map every field to column 0.
    refs.oZOVs = std::make_shared<tabulon::ZOVs>();
    refs.oZOVs->NewZOV("4", "3", "111", "100", "200503", "0", "", "", "1", "0", "0", "0", "1", "", "OL", "0",
                       "0", "1");
    const auto esperado = registros(*refs.oZOVs);

    const auto r = fachada().Regera_Tabela("ZOV");
    ASSERT_TRUE(r.ok) << qPrintable(r.erro);
    EXPECT_TRUE(bytes("ZOV").startsWith(QByteArray(kCabecalhoZOV.toLatin1() + "\r\n")));
    EXPECT_EQ(registros(*refs.oZOVs), esperado);
}

TEST_F(FachadaAlteracao, NomesAcentuadosVoltamIguaisByteAByte) {
    // Every Windows-1252 letter above ASCII, the euro sign and a byte without a letter (0x81).
    const QString nome = QString::fromUtf8("JOÃO DA CONCEIÇÃO ÁÉÍÓÚ àèìòù âêô ñ ü ÿ Œ € ¿ ") + QChar(0x81);
    const auto r = fachada().ContribuinteInsert("111", nome, "3", "61", "5551234");
    ASSERT_TRUE(r.ok) << qPrintable(r.erro);

    const QByteArray linha =
        QByteArray("3|111|JO\xC3O DA CONCEI\xC7\xC3O \xC1\xC9\xCD\xD3\xDA \xE0\xE8\xEC\xF2\xF9 "
                   "\xE2\xEA\xF4 \xF1 \xFC \xFF \x8C \x80 \xBF \x81|61|5551234\r\n");
    EXPECT_EQ(bytes("CONTRIBUINTE"), QByteArray(kCabecalhoCONTRIBUINTE.toLatin1() + "\r\n" + linha));
    ASSERT_EQ(refs.oCONTRIBUINTEs->Count(), 1);
    EXPECT_EQ(refs.oCONTRIBUINTEs->Item(1)->RAZAO_SOCIAL, nome);

    // An "&" that names no decoded letter is kept; a name that does is refused, saying what it would become.
    const QString comE = QStringLiteral("P&D &ATILDE; &amp; &atilde");
    ASSERT_TRUE(fachada().ContribuinteInsert("222", comE, "3", "61", "1").ok);
    EXPECT_EQ(refs.oCONTRIBUINTEs->Item(2)->RAZAO_SOCIAL, comE);
    const auto entidade = fachada().ContribuinteInsert("333", "Jo&atilde;o", "3", "61", "1");
    EXPECT_FALSE(entidade.ok);
    EXPECT_TRUE(entidade.erro.contains(QString::fromUtf8("\"&atilde;\", que seria lido de volta como \"ã\"")))
        << qPrintable(entidade.erro);

    // Rewriting what was read back gives the same bytes again.
    const QByteArray antes = bytes("CONTRIBUINTE");
    ASSERT_TRUE(fachada().Regera_Tabela("CONTRIBUINTE").ok);
    EXPECT_EQ(bytes("CONTRIBUINTE"), antes);
}

} // namespace

namespace {

TEST_F(FachadaAlteracao, EspacosVaziosNasColecoesNaoDerrubamAFachada) {
    struct Caso {
        const char* nome;
        std::function<zove::ResultadoAlteracao(zove::ZovEnv_Simulator&)> operacao;
        bool zov, contribuinte; // the tables it writes
    };
    const Caso casos[] = {
        {"ZOVUpdate",
         [](zove::ZovEnv_Simulator& f) {
             return f.ZOVUpdate("100", "", "", "", "111", "0", "200503", "3", "0", "0", "0", "1", "1", "0",
                                "0", "2");
         },
         true, false},
        {"ZovUpdateImpreso", [](zove::ZovEnv_Simulator& f) { return f.ZovUpdateImpreso("1", "2"); }, true,
         false},
        {"ZOVDelete", [](zove::ZovEnv_Simulator& f) { return f.ZOVDelete("2"); }, true, false},
        {"ZOVInsert", [this](zove::ZovEnv_Simulator&) { return insere(); }, true, false},
        {"ContribuinteUpdate",
         [](zove::ZovEnv_Simulator& f) { return f.ContribuinteUpdate("11122233344", "M", "3", "61", "1"); },
         false, true},
        {"ContribuinteInsert",
         [](zove::ZovEnv_Simulator& f) { return f.ContribuinteInsert("222", "J", "3", "61", "1"); }, false,
         true},
        {"Regera_Tabela ZOV", [](zove::ZovEnv_Simulator& f) { return f.Regera_Tabela("ZOV"); }, true, false},
        {"Regera_Tabela CONTRIBUINTE",
         [](zove::ZovEnv_Simulator& f) { return f.Regera_Tabela("CONTRIBUINTE"); }, false, true},
        {"AlteraEmLote",
         [](zove::ZovEnv_Simulator& f) {
             return f.AlteraEmLote([](tabulon::ZOVs& z, tabulon::CONTRIBUINTEs& c, QString*) {
                 z.Add(nullptr);
                 c.Add(nullptr);
                 c.NewContribuinte("3", "333", "K", "", "");
                 return true;
             });
         },
         false, true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        escreveZOV({linhaZOV("1"), linhaZOV("2")});
        escreveCONTRIBUINTE({"3|11122233344|MARIA|61|5551234"});
        carregaTabelas();
        // Loaded by the facade itself (so it is current), then with empty slots put in by hand.
        ASSERT_TRUE(fachada().ZOVDelete("nenhum").ok);
        ASSERT_TRUE(fachada().ContribuinteUpdate("nenhum", "", "", "", "").ok);
        refs.oZOVs->Set_Item(1, nullptr);
        refs.oZOVs->Add(nullptr);
        refs.oCONTRIBUINTEs->Add(nullptr);

        ASSERT_EQ(fachada().ZOVSelectOne("2")->Count(), 1);
        ASSERT_EQ(fachada().ContribuinteSelectOne("3", "11122233344")->Count(), 1);
        const auto r = c.operacao(fachada());
        ASSERT_TRUE(r.ok) << qPrintable(r.erro);
        EXPECT_TRUE(r.gravou);
        if (!r.numDocumento.isEmpty()) {
            EXPECT_EQ(r.numDocumento, "3") << "after the last document that is there";
        }
        // The file written loads, without the emptied slot, and is what the references hold.
        if (c.zov) {
            EXPECT_EQ(registros(*refs.oZOVs), registros(*zovsNoArquivo()));
            const auto noArquivo = zovsNoArquivo();
            for (const auto& z : *noArquivo)
                EXPECT_NE(z->NUM_DOCUMENTO, "1");
        }
        if (c.contribuinte) {
            EXPECT_EQ(registros(*refs.oCONTRIBUINTEs), registros(*contribuintesNoArquivo()));
        }
    }
}

} // namespace
