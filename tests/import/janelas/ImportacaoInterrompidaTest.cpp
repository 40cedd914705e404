// The program killed while it imports from the command line: whenever the kill lands, both tables
// still load, hold all of a batch's documents or none, and no document lacks its taxpayer; the next
// import is not blocked by what the killed one left.
#include "data/Referencias.h"
#include "support/TestSupport.h"
#include "tabulon/Colecoes.h"
#include "tabulon/Init.h"
#include "tools/GeradorRegistros.h"

#include <QDir>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

struct Tabelas {
    std::shared_ptr<tabulon::ZOVs> zovs;
    std::shared_ptr<tabulon::CONTRIBUINTEs> contribuintes;
};

Tabelas carrega(const QString& pasta) {
    tabulon::Init init;
    init.sDiretorioDados(pasta);
    return {init.CarregarZOV(), init.CarregarContribuinte()};
}

void confereConsistencia(const QString& pasta, qsizetype lote) {
    Tabelas t;
    ASSERT_NO_THROW(t = carrega(pasta));
    EXPECT_EQ(t.zovs->Count() % lote, 0) << t.zovs->Count();
    QSet<QString> contribuintes;
    for (const auto& c : *t.contribuintes)
        contribuintes.insert(c->TIPO_DOCUMENTO + QLatin1Char(':') + c->DOCUMENTO_IDENTIFICACAO);
    for (const auto& z : *t.zovs) {
        if (!contribuintes.contains(z->TIPO_DOCUMENTO_IDENT + QLatin1Char(':') + z->NUM_DOCUMENTO_IDENT)) {
            ADD_FAILURE() << "document " << z->NUM_DOCUMENTO.toStdString() << " without its taxpayer";
            return;
        }
    }
}

TEST(ImportacaoInterrompida, MatarOProcessoDeixaTabelasConsistentes) {
    teste::PastaDados dados;
    QTemporaryDir trabalho;
    const QString arquivo = trabalho.filePath(QStringLiteral("lote.txt"));
    constexpr int kRegistros = 6000;
    {
        const auto refs = zove::Referencias::carregar(dados.caminho());
        teste::gravaArquivo(arquivo, zove::GeradorRegistros(*refs, QDate::currentDate()).arquivo(kRegistros));
    }
    const QString programa = QStringLiteral(ZOVE_BIN_DIR "/zove");
    const QStringList argumentos{QStringLiteral("--dados"), dados.caminho(), QStringLiteral("--importar"),
                                 arquivo};

    int mortos = 0;
    for (int atraso : {0, 20, 60, 120, 200, 300, 450, 700, 1000}) {
        SCOPED_TRACE(atraso);
        QProcess zove;
        zove.start(programa, argumentos);
        ASSERT_TRUE(zove.waitForStarted());
        QThread::msleep(atraso);
        if (zove.state() != QProcess::NotRunning) {
            zove.kill();
            ++mortos;
        }
        zove.waitForFinished();
        confereConsistencia(dados.caminho(), kRegistros);
    }
    EXPECT_GT(mortos, 0);

    // A whole run after the kills adds the whole batch.
    const qsizetype antes = carrega(dados.caminho()).zovs->Count();
    QProcess zove;
    zove.start(programa, argumentos);
    ASSERT_TRUE(zove.waitForFinished(120000));
    EXPECT_EQ(zove.exitCode(), 0) << zove.readAllStandardError().toStdString();
    EXPECT_EQ(carrega(dados.caminho()).zovs->Count(), antes + kRegistros);
    confereConsistencia(dados.caminho(), kRegistros);
}

} // namespace
