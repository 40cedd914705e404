// The start-up load of the references: every table of the loader's list, once, each reported with the
// collection it filled, and the first failure stops it naming the file.
#include "data/Referencias.h"
#include "support/TestSupport.h"
#include "tabulon/ErroExecucao.h"
#include "tabulon/Init.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

struct Aviso {
    QString arquivo;
    qsizetype registros;
};

TEST(Referencias, CarregamCadaTabelaDoCarregadorUmaVez) {
    teste::PastaDados dados;
    QList<Aviso> avisos;
    const auto refs = zove::Referencias::carregar(dados.caminho(), [&](const QString& arquivo, qsizetype n) {
        avisos.append({arquivo, n});
    });
    ASSERT_TRUE(refs);

    QStringList avisados;
    for (const Aviso& a : avisos)
        avisados.append(a.arquivo);
    QStringList esperados;
    for (const auto& tabela : tabulon::Init::Tabelas)
        esperados.append(QString::fromLatin1(tabela.arquivo));
    avisados.sort();
    esperados.sort();
    EXPECT_EQ(avisados, esperados);

    // Each report carries the count of the collection the references now hold.
    const auto registrosDe = [&](const char* arquivo) {
        for (const Aviso& a : avisos) {
            if (a.arquivo == QLatin1String(arquivo))
                return a.registros;
        }
        return qsizetype(-1);
    };
    ASSERT_TRUE(refs->oPARAMETROSs && refs->oZOVs && refs->oARREC_MAB_RECEITAs && refs->oTAB_MUNICs);
    EXPECT_EQ(registrosDe("PARAMETROS"), 1);
    EXPECT_EQ(refs->oPARAMETROSs->Count(), 1);
    EXPECT_EQ(registrosDe("ZOV"), 0);
    EXPECT_EQ(refs->oZOVs->Count(), 0);
    EXPECT_GT(refs->oARREC_MAB_RECEITAs->Count(), 1);
    EXPECT_EQ(registrosDe("mab_arrec"), refs->oARREC_MAB_RECEITAs->Count());
    EXPECT_EQ(registrosDe("TAB_MUNIC"), refs->oTAB_MUNICs->Count());
}

TEST(Referencias, ParamNaPrimeiraTabelaQueFalta) {
    // At start-up the municipalities load first and the revenue classes next to last.
    struct Caso {
        const char* ausente;
        qsizetype antes; // tables reported before the failure
    };
    for (const Caso& c : {Caso{"TAB_MUNIC", 0}, Caso{"mab_receita_classe", 12}}) {
        SCOPED_TRACE(c.ausente);
        teste::PastaDados dados;
        ASSERT_TRUE(QFile::remove(dados.arquivo(QString::fromLatin1(c.ausente))));
        QStringList avisados;
        try {
            zove::Referencias::carregar(dados.caminho(),
                                        [&](const QString& arquivo, qsizetype) { avisados.append(arquivo); });
            ADD_FAILURE() << "loaded without " << c.ausente;
        } catch (const tabulon::ErroExecucao& e) {
            EXPECT_EQ(e.Numero(), 53);
            EXPECT_TRUE(e.Descricao().endsWith(QLatin1String(c.ausente))) << e.Descricao().toStdString();
        }
        EXPECT_EQ(avisados.size(), c.antes);
        EXPECT_FALSE(avisados.contains(QLatin1String(c.ausente)));
    }
}

} // namespace
