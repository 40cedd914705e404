#include "support/TestSupport.h"
#include "tabulon/ErroExecucao.h"
#include "tabulon/Init.h"

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace tabulon;

namespace {

const QString kCabecalhoZOV = QStringLiteral(
    "NUM_DOCUMENTO|TIPO_DOCUMENTO_IDENT|NUM_DOCUMENTO_IDENT|COD_RECEITA|REFERENCIA|NUM_DOCUMENTO_ORIGEM|"
    "DATA_VENCIMENTO|DATA_CALCULO|VALOR_PRINCIPAL|VALOR_JUROS|VALOR_MULTA|VALOR_CORRECAO|VALOR_TOTAL|"
    "DATA_ATUALIZACAO|COD_UF|COD_MUNICIPIO|COD_CLASSE_VECTO|IMPRESO");
const QString kCabecalhoCONTRIBUINTE =
    QStringLiteral("TIPO_DOCUMENTO|DOCUMENTO_IDENTIFICACAO|RAZAO_SOCIAL|NUM_DDD|NUM_FONE");
const QString kMensagem = QStringLiteral("Não foi possível remover itens:  ");

QString documento(int numero) {
    return QStringLiteral("%1|3|1234567890%1|1234|200503||10/04/2005|01/04/2005|100,00|0,00|0,00|0,00|100,00|"
                          "01/04/2005|OL|001|1|0")
        .arg(numero);
}

class Salvos : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString pasta; // with its final separator, as LimpaBase expects
    Init init;

    void SetUp() override {
        pasta = tmp.path() + QLatin1Char('/');
        init.sDiretorioDados(tmp.path());
        teste::escreveTabela(pasta + "ZOV", {kCabecalhoZOV, documento(1), documento(2), documento(3)}, false);
        teste::escreveTabela(pasta + "CONTRIBUINTE",
                             {kCabecalhoCONTRIBUINTE, "3|111|ANA|61|5550000", "2|222|BETA LTDA|61|5551111"},
                             false);
    }
};

} // namespace

TEST_F(Salvos, LimpaBaseLeavesTheHeaderAndABackupOfTheDocuments) {
    const QByteArray antes = teste::leArquivo(pasta + "ZOV");
    teste::gravaArquivo(pasta + "ZOV_temp", "an older backup");
    auto zovs = init.CarregarZOV();
    ASSERT_EQ(zovs->Count(), 3);
    QString mensagem = QStringLiteral("untouched");
    EXPECT_TRUE(zovs->LimpaBase(pasta, &mensagem));
    EXPECT_EQ(mensagem, QStringLiteral("untouched"));
    EXPECT_EQ(teste::leArquivo(pasta + "ZOV"), kCabecalhoZOV.toLatin1() + "\r\n");
    EXPECT_EQ(teste::leArquivo(pasta + "ZOV_temp"), antes);
    EXPECT_EQ(zovs->Count(), 0);
    EXPECT_EQ(zovs->Campos_Count(), 17);
    EXPECT_EQ(zovs->Campo(17), QStringLiteral("IMPRESO"));
    // The cleared file loads again as an empty table.
    EXPECT_EQ(init.CarregarZOV()->Count(), 0);
}

TEST_F(Salvos, LimpaBaseOfTheTaxpayers) {
    const QByteArray antes = teste::leArquivo(pasta + "CONTRIBUINTE");
    auto c = init.CarregarContribuinte();
    EXPECT_TRUE(c->LimpaBase(pasta));
    EXPECT_EQ(teste::leArquivo(pasta + "CONTRIBUINTE"), kCabecalhoCONTRIBUINTE.toLatin1() + "\r\n");
    EXPECT_EQ(teste::leArquivo(pasta + "CONTRIBUINTE_temp"), antes);
    EXPECT_EQ(c->Count(), 0);
    EXPECT_EQ(c->Campos_Count(), 4);
    // The documents were not touched.
    EXPECT_EQ(init.CarregarZOV()->Count(), 3);
}

TEST_F(Salvos, LimpaBaseAcceptsTheFolderWithOrWithoutItsSeparator) {
    for (const QString& dir : {tmp.path(), tmp.path() + QLatin1Char('\\')}) {
        auto zovs = init.CarregarZOV();
        EXPECT_TRUE(zovs->LimpaBase(dir)) << dir.toStdString();
        EXPECT_EQ(teste::leArquivo(pasta + "ZOV"), kCabecalhoZOV.toLatin1() + "\r\n");
        teste::escreveTabela(pasta + "ZOV", {kCabecalhoZOV, documento(1)}, false);
    }
    EXPECT_TRUE(QFile::exists(pasta + "ZOV_temp"));
    EXPECT_FALSE(QFile::exists(tmp.path() + "ZOV")) << "the name is not glued to the folder's";
}

TEST_F(Salvos, LimpaBaseFindsATableWhoseNameDiffersInCase) {
    ASSERT_TRUE(QFile::rename(pasta + "ZOV", pasta + "zov"));
    ASSERT_TRUE(QFile::rename(pasta + "CONTRIBUINTE", pasta + "Contribuinte"));
    auto zovs = init.CarregarZOV();
    auto contribuintes = init.CarregarContribuinte();
    ASSERT_EQ(zovs->Count(), 3);

    EXPECT_TRUE(zovs->LimpaBase(pasta));
    EXPECT_TRUE(contribuintes->LimpaBase(pasta));
    EXPECT_EQ(teste::leArquivo(pasta + "zov"), kCabecalhoZOV.toLatin1() + "\r\n");
    EXPECT_EQ(teste::leArquivo(pasta + "Contribuinte"), kCabecalhoCONTRIBUINTE.toLatin1() + "\r\n");
    EXPECT_EQ(
        QDir(pasta).entryList({"ZOV", "CONTRIBUINTE"}, QDir::Files, QDir::Name | QDir::IgnoreCase).size(), 2)
        << "no second table file beside the one found";
    EXPECT_EQ(init.CarregarZOV()->Count(), 0);
}

TEST_F(Salvos, LimpaBaseInAMissingFolderFailsWithTheMessage) {
    auto zovs = init.CarregarZOV();
    QString mensagem;
    EXPECT_FALSE(zovs->LimpaBase(pasta + "nao_existe/", &mensagem));
    EXPECT_TRUE(mensagem.startsWith(kMensagem)) << mensagem.toStdString();
    EXPECT_GT(mensagem.size(), kMensagem.size()) << "the reason follows";
    EXPECT_EQ(zovs->Count(), 3);
    EXPECT_FALSE(zovs->LimpaBase(pasta + "nao_existe/")) << "without a place for the message";
}

TEST_F(Salvos, LimpaBaseLeavesTheTableAsItWasWhenTheBackupCannotBeWritten) {
    const QByteArray antes = teste::leArquivo(pasta + "ZOV");
    ASSERT_TRUE(QDir(pasta).mkdir("ZOV_temp")); // a folder where the backup must go
    auto zovs = init.CarregarZOV();
    QString mensagem;
    EXPECT_FALSE(zovs->LimpaBase(pasta, &mensagem));
    EXPECT_TRUE(mensagem.startsWith(kMensagem)) << mensagem.toStdString();
    EXPECT_EQ(teste::leArquivo(pasta + "ZOV"), antes);
    EXPECT_EQ(zovs->Count(), 3);
    EXPECT_EQ(init.CarregarZOV()->Count(), 3);
}

// Files larger than the limit cannot be written while it holds (root included); the write fails with
// EFBIG instead of the signal once SIGXFSZ is ignored.
class LimiteDeTamanho {
public:
    explicit LimiteDeTamanho(rlim_t bytes) {
        m_sinal = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_antes);
        rlimit novo = m_antes;
        novo.rlim_cur = bytes;
        m_ativo = setrlimit(RLIMIT_FSIZE, &novo) == 0;
    }
    ~LimiteDeTamanho() {
        setrlimit(RLIMIT_FSIZE, &m_antes);
        std::signal(SIGXFSZ, m_sinal);
    }
    bool ativo() const { return m_ativo; }

private:
    rlimit m_antes{};
    void (*m_sinal)(int) = nullptr;
    bool m_ativo = false;
};

TEST_F(Salvos, LimpaBaseLeavesTheTableAsItWasWhenTheHeaderFileCannotBeWritten) {
    // A small table whose collection carries a long header: the backup fits under the limit, the
    // header-only replacement does not.
    teste::escreveTabela(pasta + "CONTRIBUINTE", {"A", "1"}, false);
    const QByteArray antes = teste::leArquivo(pasta + "CONTRIBUINTE");
    CONTRIBUINTEs c;
    c.Inicializa_Array_Campos(QString(4000, QLatin1Char('A')) + QStringLiteral("|B"));
    c.NewContribuinte("3", "111", "ANA", "", "");
    QString mensagem;
    bool limpou = true;
    {
        LimiteDeTamanho limite(1000);
        ASSERT_TRUE(limite.ativo());
        limpou = c.LimpaBase(pasta, &mensagem);
    }
    EXPECT_FALSE(limpou);
    EXPECT_TRUE(mensagem.startsWith(kMensagem)) << mensagem.toStdString();
    EXPECT_EQ(teste::leArquivo(pasta + "CONTRIBUINTE"), antes);
    EXPECT_EQ(teste::leArquivo(pasta + "CONTRIBUINTE_temp"), antes);
    EXPECT_EQ(c.Count(), 1);
    const QStringList sobras = QDir(pasta).entryList(QDir::Files).filter(QStringLiteral("CONTRIBUINTE."));
    EXPECT_TRUE(sobras.isEmpty()) << "no temporary file left: " << sobras.join(' ').toStdString();
}

TEST_F(Salvos, LimpaBaseWithoutTheTableFails) {
    ASSERT_TRUE(QFile::remove(pasta + "CONTRIBUINTE"));
    CONTRIBUINTEs c;
    c.Inicializa_Array_Campos(kCabecalhoCONTRIBUINTE);
    QString mensagem;
    EXPECT_FALSE(c.LimpaBase(pasta, &mensagem));
    EXPECT_TRUE(mensagem.startsWith(kMensagem));
    EXPECT_FALSE(QFile::exists(pasta + "CONTRIBUINTE"));
}

TEST_F(Salvos, SetItemReplacesPositionsZeroToCount) {
    auto zovs = init.CarregarZOV();
    auto novo = std::make_shared<ZOV>();
    novo->NUM_DOCUMENTO = QStringLiteral("99");
    zovs->Set_Item(2, novo);
    EXPECT_EQ(zovs->Item(2), novo);
    EXPECT_EQ(zovs->Count(), 3);
    zovs->Set_Item(0, novo);
    EXPECT_EQ(zovs->Item(0), novo);
    for (qsizetype i : {qsizetype(-1), qsizetype(4)}) {
        try {
            zovs->Set_Item(i, novo);
            ADD_FAILURE() << "position " << i << " accepted";
        } catch (const ErroExecucao& e) {
            EXPECT_EQ(e.Numero(), 9);
        }
    }
}

TEST_F(Salvos, CamposCountIsTheHighestHeaderPosition) {
    EXPECT_EQ(init.CarregarZOV()->Campos_Count(), 17);
    EXPECT_EQ(init.CarregarContribuinte()->Campos_Count(), 4);
    EXPECT_EQ(ZOVs().Campos_Count(), 0);
    EXPECT_EQ(CONTRIBUINTEs().Campos_Count(), 0);
}

TEST(Contribuintes, SearchByTypeIsExactByNumberIsASubstring) {
    CONTRIBUINTEs c;
    c.NewContribuinte("3", "9123400", "MARIA", "", "");
    c.NewContribuinte("2", "123", "JOAO", "", "");
    c.NewContribuinte("3", "456", "ANA", "", "");
    c.NewContribuinte("30", "4123", "BETO", "", "");
    auto nomes = [](const std::shared_ptr<CONTRIBUINTEs>& r) {
        QStringList n;
        for (const auto& x : *r)
            n.append(x->RAZAO_SOCIAL);
        return n;
    };
    EXPECT_EQ(nomes(c.Query_TIPO_DOCUMENTO("3")), QStringList({"MARIA", "ANA"}));
    EXPECT_EQ(nomes(c.Query_TIPO_DOCUMENTO("")), QStringList());
    EXPECT_EQ(nomes(c.Query_DOCUMENTO_IDENTIFICACAO("123")), QStringList({"MARIA", "JOAO", "BETO"}));
    EXPECT_EQ(nomes(c.Query_DOCUMENTO_IDENTIFICACAO("")), QStringList({"MARIA", "JOAO", "ANA", "BETO"}));
    EXPECT_EQ(nomes(c.Query_DOCUMENTO_IDENTIFICACAO("789")), QStringList());
    EXPECT_EQ(c.Query_DOCUMENTO_IDENTIFICACAO("456")->Item(1), c.Item(3));
}

namespace {

struct Consulta : ::testing::Test {
    ARREC_MAB_RECEITAs receitas;
    CONTRIBUINTEs contribuintes;
    ZOVs zovs;

    void SetUp() override {
        auto receita = [&](const char* cod, const char* nome, const char* tipo) {
            receitas.NewReceita(cod, nome, "", "", "", "", "", "", "", "", "", "", "", "1", "", "", "", tipo);
        };
        receita("100", "ICMS", "1");
        receita("200", "TAXA", "2");
        receita("100", "ICMS REPETIDO", "9"); // only the first revenue of a code counts
        contribuintes.NewContribuinte("3", "9123400", "MARIA", "", "");
        contribuintes.NewContribuinte("3", "123", "JOAO", "", "");
        contribuintes.NewContribuinte("3", "123", "JOAO REPETIDO", "", "");
        contribuintes.NewContribuinte("2", "555", "ANA SILVA", "", "");
        auto doc = [&](const char* num, const char* ident, const char* receita) {
            zovs.NewZOV(num, "3", ident, receita, "", "", "", "", "", "", "", "", "", "", "OL", "", "", "0");
        };
        doc("1", "123", "100");     // JOAO, not MARIA whose number contains 123
        doc("2", "555", "200");     // ANA SILVA
        doc("3", "555", "999");     // unknown revenue
        doc("4", "12", "100");      // no taxpayer has exactly this number
        doc("5", "9123400", "200"); // MARIA
    }

    QStringList numeros(const QString& ident, const QString& nome, const QString& tipo, const QString& cod) {
        const auto r = zovs.Query_ZOV(ident, nome, tipo, cod, receitas, contribuintes);
        if (!r)
            return {QStringLiteral("<null>")};
        QStringList n;
        for (const auto& z : *r)
            n.append(z->NUM_DOCUMENTO);
        return n;
    }
};

} // namespace

TEST_F(Consulta, FiltersOfTheSavedDocumentSearch) {
    const struct {
        const char *ident, *nome, *tipo, *cod;
        QStringList esperados;
    } casos[] = {
        {"", "", "", "", {"1", "2", "5"}},
        {"555", "", "", "", {"2"}},
        {"55", "", "", "", {}}, // the identification filter is exact
        {"", "SILVA", "", "", {"2"}},
        {"", "JOAO", "", "", {"1"}},
        {"", "REPETIDO", "", "", {}},
        {"", "joao", "", "", {}},
        {"", "", "1", "", {"1"}},
        {"", "", "2", "", {"2", "5"}},
        {"", "", "9", "", {}},
        {"", "", "", "200", {"2", "5"}},
        {"", "", "2", "100", {}},
        {"9123400", "MAR", "2", "200", {"5"}},
    };
    for (const auto& c : casos)
        EXPECT_EQ(numeros(c.ident, c.nome, c.tipo, c.cod), c.esperados)
            << '"' << c.ident << "\" \"" << c.nome << "\" \"" << c.tipo << "\" \"" << c.cod << '"';
}

TEST_F(Consulta, KeptDocumentsGetTheirRevenueAndTaxpayerNamesOnTheTableRecords) {
    const auto r = zovs.Query_ZOV("", "", "", "", receitas, contribuintes);
    ASSERT_TRUE(r);
    ASSERT_EQ(r->Count(), 3);
    EXPECT_EQ(r->Item(1), zovs.Item(1));
    EXPECT_EQ(zovs.Item(1)->MCR_NOME_RCTA, QStringLiteral("ICMS"));
    EXPECT_EQ(zovs.Item(1)->RAZAO_SOCIAL, QStringLiteral("JOAO"));
    EXPECT_EQ(zovs.Item(2)->RAZAO_SOCIAL, QStringLiteral("ANA SILVA"));
    EXPECT_EQ(zovs.Item(5)->MCR_NOME_RCTA, QStringLiteral("TAXA"));
    EXPECT_EQ(zovs.Item(5)->RAZAO_SOCIAL, QStringLiteral("MARIA"));
    // Documents left out keep their fields empty.
    EXPECT_TRUE(zovs.Item(3)->MCR_NOME_RCTA.isEmpty());
    EXPECT_TRUE(zovs.Item(4)->RAZAO_SOCIAL.isEmpty());
    EXPECT_EQ(r->Campos_Count(), 0);
}

// A state registration and a Renavam may share a number: each document shows its own kind's taxpayer,
// whichever of the two comes first in the table.
TEST_F(Consulta, TheTaxpayerOfTheDocumentsOwnKindComesBeforeAnotherWithTheSameNumber) {
    contribuintes.NewContribuinte("1", "250000019", "COMERCIO IE LTDA", "", "");
    contribuintes.NewContribuinte("5", "250000019", "DONO DO VEICULO", "", "");
    zovs.NewZOV("6", "5", "250000019", "100", "", "", "", "", "", "", "", "", "", "", "OL", "", "", "0");
    zovs.NewZOV("7", "1", "250000019", "100", "", "", "", "", "", "", "", "", "", "", "OL", "", "", "0");
    EXPECT_EQ(numeros("250000019", "VEICULO", "", ""), QStringList({"6"}));
    EXPECT_EQ(numeros("250000019", "COMERCIO", "", ""), QStringList({"7"}));
    EXPECT_EQ(zovs.Item(6)->RAZAO_SOCIAL, QStringLiteral("DONO DO VEICULO"));
    EXPECT_EQ(zovs.Item(7)->RAZAO_SOCIAL, QStringLiteral("COMERCIO IE LTDA"));
}

TEST_F(Consulta, AnEmptySlotMakesTheSearchReturnNull) {
    contribuintes.Add(nullptr);
    EXPECT_EQ(numeros("", "", "", ""), QStringList({"<null>"}));
}
