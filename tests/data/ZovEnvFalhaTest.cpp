// Changes that cannot be written: refused values and failed writes are reported, the table files keep
// their previous content and the loaded collections hold the files' content.
#include "data/FachadaFixture.h"

#include <functional>

using namespace teste;

namespace {

using Operacao = std::function<zove::ResultadoAlteracao(zove::ZovEnv_Simulator&)>;

class FachadaFalha : public FachadaTeste {
protected:
    void SetUp() override {
        FachadaTeste::SetUp();
        escreveZOV({linhaZOV("1")});
        escreveCONTRIBUINTE({"3|11122233344|MARIA|61|5551234"});
        carregaTabelas();
    }

    // The loaded collections equal what a fresh load of the files gives.
    void esperaMemoriaIgualAoArquivo() {
        EXPECT_EQ(registros(*refs.oZOVs), registros(*zovsNoArquivo()));
        EXPECT_EQ(registros(*refs.oCONTRIBUINTEs), registros(*contribuintesNoArquivo()));
    }
};

zove::ResultadoAlteracao atualiza(zove::ZovEnv_Simulator& f, const QString& origem) {
    return f.ZOVUpdate("100", "01/04/2005", "30/04/2005", "10/04/2005", "111", origem, "200503", "3", "0",
                       "0", "0", "1", "1", "0", "0", "1");
}

TEST_F(FachadaFalha, ValorQueQuebrariaOArquivoEhRecusado) {
    struct Caso {
        const char* descricao;
        const char* campo;
        Operacao operacao;
    };
    const auto contribuinte = [](const QString& nome) {
        return
            [nome](zove::ZovEnv_Simulator& f) { return f.ContribuinteInsert("222", nome, "3", "61", "1"); };
    };
    const Caso casos[] = {
        {"barra", "RAZAO_SOCIAL", contribuinte("A|B")},
        {"CR LF", "RAZAO_SOCIAL", contribuinte("A\r\nB")},
        {"LF", "RAZAO_SOCIAL", contribuinte("A\nB")},
        {"CR", "RAZAO_SOCIAL", contribuinte("A\rB")},
        {"nulo", "RAZAO_SOCIAL", contribuinte(QStringLiteral("A") + QChar(0) + "B")},
        {"fora do 1252", "RAZAO_SOCIAL", contribuinte(QString::fromUtf8("ŁÓDŹ"))},
        {"fora do 1252 (CJK)", "RAZAO_SOCIAL", contribuinte(QString::fromUtf8("名"))},
        {"nome de entidade", "RAZAO_SOCIAL", contribuinte("Jo&atilde;o")},
        {"nome de entidade no meio", "RAZAO_SOCIAL", contribuinte("A & B &ordm;1")},
        {"marca de digest", "TIPO_DOCUMENTO",
         [](zove::ZovEnv_Simulator& f) { return f.ContribuinteInsert("222", "X", ":):)3", "61", "1"); }},
        {"atualizacao de contribuinte", "NUM_FONE",
         [](zove::ZovEnv_Simulator& f) {
             return f.ContribuinteUpdate("11122233344", "MARIA", "3", "61", "555\n1234");
         }},
        {"referencia com barra", "REFERENCIA",
         [](zove::ZovEnv_Simulator& f) {
             return f.ZOVInsert("100", "01/04/2005", "30/04/2005", "10/04/2005", "111", "0", "2005|03", "3",
                                "0", "0", "0", "1", "1", "0", "0");
         }},
        {"atualizacao de documento", "NUM_DOCUMENTO_ORIGEM",
         [](zove::ZovEnv_Simulator& f) { return atualiza(f, "12\r34"); }},
        {"marca de impresso", "IMPRESSO",
         [](zove::ZovEnv_Simulator& f) { return f.ZovUpdateImpreso("1|", "1"); }},
        {"valor posto na memoria", "RAZAO_SOCIAL",
         [this](zove::ZovEnv_Simulator& f) {
             refs.oCONTRIBUINTEs->Item(1)->RAZAO_SOCIAL = "A|B";
             return f.Regera_Tabela("CONTRIBUINTE");
         }},
    };

    const QByteArray zov = bytes("ZOV");
    const QByteArray contribuintes = bytes("CONTRIBUINTE");
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.descricao);
        const auto r = c.operacao(fachada());
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.gravou);
        EXPECT_TRUE(r.erro.contains(QLatin1String(c.campo))) << qPrintable(r.erro);
        EXPECT_EQ(bytes("ZOV"), zov);
        EXPECT_EQ(bytes("CONTRIBUINTE"), contribuintes);
        EXPECT_FALSE(QFileInfo::exists(arquivo("ZOV_temp")));
        EXPECT_FALSE(QFileInfo::exists(arquivo("CONTRIBUINTE_temp")));
        EXPECT_EQ(refs.oZOVs->Count(), 1);
        EXPECT_EQ(refs.oCONTRIBUINTEs->Count(), 1);
        esperaMemoriaIgualAoArquivo();
    }
}

TEST_F(FachadaFalha, CabecalhoForaDeOrdemNaoEhRegravado) {
    // Loads by column name, but values written in record order under it would change columns.
    QString cabecalho = kCabecalhoZOV;
    cabecalho.replace("COD_RECEITA|REFERENCIA", "REFERENCIA|COD_RECEITA");
    escreveZOV({"1|3|111|200503|100|0|10/04/2005|30/04/2005|1|0|0|0|1|01/04/2005|OL|0|0|0"}, cabecalho);
    carregaTabelas();
    ASSERT_EQ(refs.oZOVs->Item(1)->COD_RECEITA, "100");
    const QByteArray zov = bytes("ZOV");

    const auto r = insere();
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.erro.contains("COD_RECEITA")) << qPrintable(r.erro);
    EXPECT_EQ(bytes("ZOV"), zov);
    EXPECT_EQ(refs.oZOVs->Count(), 1);
}

TEST_F(FachadaFalha, CabecalhoForaDoCodigo1252NaoEhRegravado) {
    // A header read from a file always has its bytes; one set in memory may not, and would be written
    // with "?" in place of the letter.
    auto zovs = std::make_shared<tabulon::ZOVs>();
    zovs->Inicializa_Array_Campos(kCabecalhoZOV + QString::fromUtf8("|NOTA_Ł"));
    zovs->NewZOV("4", "3", "111", "100", "200503", "0", "", "", "1", "0", "0", "0", "1", "", "OL", "0", "0",
                 "1");
    refs.oZOVs = zovs;
    const QByteArray zov = bytes("ZOV");

    const auto r = fachada().Regera_Tabela("ZOV");
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.gravou);
    EXPECT_TRUE(r.erro.contains(QStringLiteral("O cabeçalho da tabela contém um caractere que não existe na "
                                               "página de código Windows-1252")))
        << qPrintable(r.erro);
    EXPECT_EQ(bytes("ZOV"), zov);
    EXPECT_FALSE(QFileInfo::exists(arquivo("ZOV_temp")));
}

TEST_F(FachadaFalha, RegistrosLidosSobCabecalhoVazioNaoSaoRegravados) {
    // Every field of such a record reads column 0; a rewrite under the standard names would store
    // that value in every column.
    gravaArquivo(arquivo("ZOV"), "\r\n" + linhaZOV("7").toLatin1() + "\r\n");
    gravaArquivo(arquivo("CONTRIBUINTE"), "\r\n3|111|MARIA|61|5551234\r\n");
    carregaTabelas();
    const QByteArray zov = bytes("ZOV");
    const QByteArray contribuintes = bytes("CONTRIBUINTE");

    const std::pair<const char*, Operacao> operacoes[] = {
        {"ZOVInsert", [this](zove::ZovEnv_Simulator&) { return insere(); }},
        {"ContribuinteInsert",
         [](zove::ZovEnv_Simulator& f) { return f.ContribuinteInsert("222", "JOSÉ", "3", "61", "1"); }},
        {"Regera_Tabela", [](zove::ZovEnv_Simulator& f) { return f.Regera_Tabela("ZOV"); }},
    };
    for (const auto& [nome, operacao] : operacoes) {
        SCOPED_TRACE(nome);
        const auto r = operacao(fachada());
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.erro.contains("cabeçalho")) << qPrintable(r.erro);
        EXPECT_EQ(bytes("ZOV"), zov);
        EXPECT_EQ(bytes("CONTRIBUINTE"), contribuintes);
    }
}

TEST_F(FachadaFalha, DocumentoSalvoSobreviveAFalhaDeUmaGravacaoPosterior) {
    const auto salvo = insere("200", "999");
    ASSERT_TRUE(salvo.ok) << qPrintable(salvo.erro);
    const QByteArray zov = bytes("ZOV");
    const QByteArray contribuintes = bytes("CONTRIBUINTE");
    ASSERT_TRUE(zov.contains("\r\n2|3|999|200|"));

    // A folder where the copies must go makes every later rewrite fail.
    for (const char* nome : {"ZOV_temp", "CONTRIBUINTE_temp"}) {
        QFile::remove(arquivo(nome));
        ASSERT_TRUE(QDir().mkdir(arquivo(nome)));
    }

    const std::pair<const char*, Operacao> operacoes[] = {
        {"ZOVInsert", [this](zove::ZovEnv_Simulator&) { return insere(); }},
        {"ZOVUpdate", [](zove::ZovEnv_Simulator& f) { return atualiza(f, "0"); }},
        {"ZovUpdateImpreso", [](zove::ZovEnv_Simulator& f) { return f.ZovUpdateImpreso("1", "2"); }},
        {"ZOVDelete", [](zove::ZovEnv_Simulator& f) { return f.ZOVDelete("2"); }},
        {"Regera_Tabela", [](zove::ZovEnv_Simulator& f) { return f.Regera_Tabela("ZOV"); }},
        {"ContribuinteInsert",
         [](zove::ZovEnv_Simulator& f) { return f.ContribuinteInsert("222", "JOSÉ", "3", "61", "1"); }},
        {"ContribuinteUpdate",
         [](zove::ZovEnv_Simulator& f) { return f.ContribuinteUpdate("11122233344", "M", "3", "61", "1"); }},
    };
    for (const auto& [nome, operacao] : operacoes) {
        SCOPED_TRACE(nome);
        const auto r = operacao(fachada());
        EXPECT_FALSE(r.ok);
        // The path that could not be written and the system's reason.
        EXPECT_TRUE(r.erro.contains("_temp")) << qPrintable(r.erro);
        EXPECT_TRUE(r.erro.contains("pasta")) << qPrintable(r.erro);
        EXPECT_EQ(bytes("ZOV"), zov);
        EXPECT_EQ(bytes("CONTRIBUINTE"), contribuintes);
        ASSERT_EQ(refs.oZOVs->Count(), 2);
        EXPECT_EQ(refs.oZOVs->Item(2)->NUM_DOCUMENTO_IDENT, "999");
        EXPECT_EQ(refs.oZOVs->Item(2)->IMPRESSO, "0");
        esperaMemoriaIgualAoArquivo();
    }

    // Once the obstacle is gone, the next document gets the next number: the failed one left no trace.
    ASSERT_TRUE(QDir(arquivo("ZOV_temp")).removeRecursively());
    const auto depois = insere();
    ASSERT_TRUE(depois.ok) << qPrintable(depois.erro);
    EXPECT_EQ(depois.numDocumento, "3");
}

TEST_F(FachadaFalha, FalhaAoSubstituirATabelaDeixaOArquivoAnterior) {
    // The copy is written, then replacing the table fails.
    fachada().defineGravador([](const QString& caminho, const QByteArray& conteudo, QString* erro) {
        if (caminho.endsWith("/ZOV")) {
            *erro = QStringLiteral("Não há espaço disponível no dispositivo");
            return false;
        }
        return tabulon::gravaArquivoAtomico(caminho, conteudo, erro);
    });
    const QByteArray zov = bytes("ZOV");

    const auto r = insere();
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.erro.contains("Não há espaço disponível no dispositivo")) << qPrintable(r.erro);
    EXPECT_EQ(bytes("ZOV"), zov);
    EXPECT_FALSE(QFileInfo::exists(arquivo("ZOV_temp")));
    EXPECT_EQ(refs.oZOVs->Count(), 1);

    // A change made to memory by hand is dropped as well: memory is the file again.
    refs.oZOVs->Item(1)->NUM_DOCUMENTO.clear();
    const auto regera = fachada().Regera_Tabela("ZOV");
    EXPECT_FALSE(regera.ok);
    EXPECT_EQ(bytes("ZOV"), zov);
    ASSERT_EQ(refs.oZOVs->Count(), 1);
    EXPECT_EQ(refs.oZOVs->Item(1)->NUM_DOCUMENTO, "1");
    esperaMemoriaIgualAoArquivo();
}

TEST_F(FachadaFalha, PastaDeDadosAusenteEhFalhaRelatada) {
    const auto carregados = refs.oZOVs;
    ASSERT_TRUE(QDir(pasta.caminho()).removeRecursively());

    const auto r = insere();
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.erro.isEmpty());
    // Nothing could be read back either: the collection is the one loaded before, without the new record.
    EXPECT_EQ(refs.oZOVs, carregados);
    EXPECT_EQ(refs.oZOVs->Count(), 1);

    const auto c = fachada().ContribuinteInsert("222", "JOSÉ", "3", "61", "1");
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(refs.oCONTRIBUINTEs->Count(), 1);
}

} // namespace
