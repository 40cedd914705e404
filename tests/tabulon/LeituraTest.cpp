// The loader reads the digest and the records in one walk, shares the values that repeat down a
// column and keeps a long header whole: these tests pin what that must not change.
#include "support/TestSupport.h"
#include "tabulon/ErroExecucao.h"
#include "tabulon/Init.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tabulon;

namespace {

class Leitura : public ::testing::Test {
protected:
    QTemporaryDir dir;
    Init init;
    void SetUp() override { init.sDiretorioDados(dir.path()); }
    QString arquivo(const QString& nome) const { return dir.filePath(nome); }
};

const QString kCabecalhoZov = QStringLiteral(
    "NUM_DOCUMENTO|TIPO_DOCUMENTO_IDENT|NUM_DOCUMENTO_IDENT|COD_RECEITA|REFERENCIA|NUM_DOCUMENTO_ORIGEM|"
    "DATA_VENCIMENTO|DATA_CALCULO|VALOR_PRINCIPAL|VALOR_JUROS|VALOR_MULTA|VALOR_CORRECAO|VALOR_TOTAL|"
    "DATA_ATUALIZACAO|COD_UF|COD_MUNICIPIO|COD_CLASSE_VECTO|IMPRESO");

} // namespace

// A fault in the records is only raised once the digest has been checked: a corrupt file is reported
// as corrupt whatever its lines hold.
TEST_F(Leitura, TheDigestErrorComesBeforeAnyFaultInTheRecords) {
    const QString cab = QStringLiteral("TIPO_PERIODO|COD_PERIODO|NOM_PERIODO");
    const struct {
        const char* nome;
        QStringList linhas;
        bool assinado;
        int numero;
        const char* trecho;
    } casos[] = {
        {"short line, unsigned", {cab, "1|01|Janeiro", "1"}, false, 11111, "Arquivo Corrompido"},
        {"short line, signed", {cab, "1|01|Janeiro", "1"}, true, 9, "linha 3 tem 1 valor(es)"},
        {"empty line, signed", {cab, "", "1|01|Janeiro"}, true, 9, "linha 2 está vazia"},
        {"empty line, unsigned", {cab, "", "1|01|Janeiro"}, false, 11111, "Arquivo Corrompido"},
        {"second fault after the first", {cab, "1|01", "", "1|02|Fev"}, true, 9, "linha 2 tem 2 valor(es)"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        teste::escreveTabela(arquivo("PERIODOS"), c.linhas, c.assinado);
        try {
            init.CarregarPeriodos();
            ADD_FAILURE() << "loaded";
        } catch (const ErroExecucao& e) {
            EXPECT_EQ(e.Numero(), c.numero) << e.what();
            EXPECT_TRUE(e.Descricao().contains(QString::fromUtf8(c.trecho))) << e.what();
        }
    }
    // A NUL byte in a signed table: the digest passes, the NUL is reported with its line.
    teste::escreveTabela(arquivo("PERIODOS"), {cab, "1|01|Janeiro", QStringLiteral("1|02|Fe") + QChar(0)},
                         true);
    try {
        init.CarregarPeriodos();
        ADD_FAILURE() << "loaded";
    } catch (const ErroExecucao& e) {
        EXPECT_EQ(e.Numero(), 11111);
        EXPECT_TRUE(e.Descricao().contains(QStringLiteral("nulo na linha 3"))) << e.what();
    }
}

// Columns whose values repeat a few times, often, or never, short and long, decoded or not: every
// record reads its own value (the shared values never leak from one key to another).
TEST_F(Leitura, RepeatedValuesReadBackExactlyInEveryRecord) {
    const int n = 6000;
    const auto valor = [](int i, int coluna) -> QString {
        switch (coluna) {
        case 0:
            return QString::number(i); // never repeats
        case 1:
            return QString::number(i % 3); // a few values
        case 2:
            return QString::number(i % 700); // many values
        case 3:
            return QString::number(i % 5000 + 100000); // mostly distinct
        case 4:
            return QStringLiteral("%1").arg(i % 4, 60, 10, QLatin1Char('x')); // long, repeated
        case 5:
            return i % 2 ? QString() : QStringLiteral("0"); // empty or not
        default:
            return QStringLiteral("%1|%2").arg(i % 7).arg(i % 11); // two columns
        }
    };
    QStringList linhas{kCabecalhoZov};
    for (int i = 0; i < n; ++i) {
        QStringList v;
        for (int c = 0; c < 7; ++c)
            v.append(valor(i, c));
        linhas.append(v.join(QLatin1Char('|')) + QStringLiteral("|a|b|c|d|e|f|g|h|i|j"));
    }
    teste::escreveTabela(arquivo("ZOV"), linhas, false);
    const auto zovs = init.CarregarZOV();
    ASSERT_EQ(zovs->Count(), n);
    for (int i = 0; i < n; ++i) {
        const ZOV& z = *zovs->Item(i + 1);
        const QStringList ultimos = valor(i, 6).split(QLatin1Char('|'));
        const QStringList lidos{z.NUM_DOCUMENTO,   z.TIPO_DOCUMENTO_IDENT, z.NUM_DOCUMENTO_IDENT,
                                z.COD_RECEITA,     z.REFERENCIA,           z.NUM_DOCUMENTO_ORIGEM,
                                z.DATA_VENCIMENTO, z.DATA_CALCULO};
        const QStringList esperados{valor(i, 0), valor(i, 1), valor(i, 2), valor(i, 3),
                                    valor(i, 4), valor(i, 5), ultimos[0],  ultimos[1]};
        ASSERT_EQ(lidos, esperados) << "record " << i + 1;
        ASSERT_EQ(z.IMPRESSO, QStringLiteral("j"));
    }

    // Entity names in a decoded column: the same raw text always gives the decoded value.
    QStringList contribuintes{
        QStringLiteral("TIPO_DOCUMENTO|DOCUMENTO_IDENTIFICACAO|RAZAO_SOCIAL|NUM_DDD|NUM_FONE")};
    const QStringList nomes{QStringLiteral("Jo&atilde;o"), QStringLiteral("Jo&atilde"),
                            QStringLiteral("&ordm;&"), QStringLiteral("&Ccedil;&amp;")};
    const QStringList decodificados{QString::fromUtf8("João"), QStringLiteral("Jo&atilde"),
                                    QString::fromUtf8("º&"), QString::fromUtf8("Ç&amp;")};
    for (int i = 0; i < 2000; ++i)
        contribuintes.append(QStringLiteral("3|%1|%2|61|%3").arg(i).arg(nomes[i % 4]).arg(nomes[i % 4]));
    teste::escreveTabela(arquivo("CONTRIBUINTE"), contribuintes, false);
    const auto c = init.CarregarContribuinte();
    ASSERT_EQ(c->Count(), 2000);
    for (int i = 0; i < 2000; ++i) {
        ASSERT_EQ(c->Item(i + 1)->RAZAO_SOCIAL, decodificados[i % 4]) << i;
        ASSERT_EQ(c->Item(i + 1)->NUM_FONE, nomes[i % 4]) << i;
    }
}

// Many header names: each is found by position and by name, across the points where the lookup
// starts again, and the columns far to the right are read.
TEST_F(Leitura, LongHeaderNamesByPositionAndByName) {
    QStringList nomes;
    for (int i = 0; i < 300; ++i)
        nomes.append(QStringLiteral("C%1").arg(i));
    const QString cabecalho = QString(100000, QLatin1Char('|')) + nomes.join(QLatin1Char('|')) +
                              QStringLiteral("|TMU_COD_MUN|TMU_NOM_MUN|TMU_UF_MUN|  TMU_NUM_CEP  ");
    teste::escreveTabela(
        arquivo("TAB_MUNIC"),
        {cabecalho, QString(100300, QLatin1Char('|')) + QStringLiteral("001|Alfa|OL|11000-000")}, true);
    const auto m = init.CarregarMunicipio();
    ASSERT_EQ(m->Campos_Count(), 100303);
    EXPECT_EQ(m->Campo(0), QString());
    EXPECT_EQ(m->Campo(99999), QString());
    for (int i = 0; i < 300; ++i) {
        ASSERT_EQ(m->Campo(100000 + i), nomes[i]) << i;
        ASSERT_EQ(m->Campo_Indice(nomes[i].toLower()), 100000 + i) << i;
    }
    EXPECT_EQ(m->Campo(100303), QStringLiteral("TMU_NUM_CEP"));
    ASSERT_EQ(m->Count(), 1);
    EXPECT_EQ(m->Item(1)->TMU_COD_MUN, QStringLiteral("001"));
    EXPECT_EQ(m->Item(1)->TMU_NUM_CEP, QStringLiteral("11000-000"));
    EXPECT_EQ(m->campos().size(), 100304);
}
