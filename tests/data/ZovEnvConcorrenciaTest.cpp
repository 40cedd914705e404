// Several copies of the program writing one data folder: every acknowledged save stays in the files,
// a change applies to the file as it is, and a table held too long is a reported failure.
#include "data/ArquivoDeTabela.h"
#include "data/FachadaFixture.h"

#include <QElapsedTimer>
#include <QLockFile>
#include <QSet>
#include <QTextStream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace teste;
using namespace std::chrono_literals;

namespace {

// One running copy of the program: its own references over the folder, loaded as at start-up.
std::unique_ptr<zove::Referencias> copiaDoPrograma(const QString& pasta) {
    auto refs = std::make_unique<zove::Referencias>();
    refs->sDirDados = pasta;
    tabulon::Init init;
    init.sDiretorioDados(pasta);
    refs->oZOVs = init.CarregarZOV();
    refs->oCONTRIBUINTEs = init.CarregarContribuinte();
    return refs;
}

// Saves `rodadas` documents and taxpayers identified by `quem`, alternating single changes and batches.
// Returns "number|identification" of every acknowledged document and "C|identification" of every
// acknowledged taxpayer, and "ERRO|..." for each failure.
QStringList salva(const QString& pasta, const QString& quem, int rodadas) {
    QStringList confirmados;
    auto refs = copiaDoPrograma(pasta);
    auto& f = refs->oZovEnv();
    f.defineEsperaDoBloqueio(20s);
    for (int i = 0; i < rodadas; ++i) {
        const QString ident = QStringLiteral("%1-%2").arg(quem).arg(i);
        if (i % 2 == 0) {
            const auto d =
                f.ZOVInsert("100", "", "", "", ident, "0", "200503", "3", "0", "0", "0", "1", "1", "0", "0");
            confirmados.append(d ? d.numDocumento + "|" + ident : "ERRO|" + d.erro);
            const auto c = f.ContribuinteInsert(ident, "NOME " + ident, "3", "61", "1");
            confirmados.append(c ? "C|" + ident : "ERRO|" + c.erro);
        } else {
            QString numero;
            const auto r = f.AlteraEmLote([&](tabulon::ZOVs& zovs, tabulon::CONTRIBUINTEs& c, QString*) {
                numero = *zove::ZovEnv_Simulator::ProximoNumeroDocumento(zovs);
                zovs.NewZOV(numero, "3", ident, "100", "200503", "0", "", "", "1", "0", "0", "0", "1", "",
                            "OL", "0", "0", "0");
                c.NewContribuinte("3", ident, "NOME " + ident, "61", "1");
                return true;
            });
            if (r) {
                confirmados.append(numero + "|" + ident);
                confirmados.append("C|" + ident);
            } else {
                confirmados.append("ERRO|" + r.erro);
            }
        }
    }
    return confirmados;
}

class FachadaConcorrencia : public FachadaTeste {};

TEST_F(FachadaConcorrencia, CopiasQueSalvamAoMesmoTempoNaoPerdemNenhumSalvamento) {
    constexpr int kRodadas = 12;
    const QString dir = pasta.caminho();

    // Two other processes, started before this one's threads, write their results to a file each.
    std::vector<pid_t> filhos;
    for (int p = 0; p < 2; ++p) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            const QStringList r = salva(dir, QStringLiteral("P%1").arg(p), kRodadas);
            QFile saida(pasta.arquivo(QStringLiteral("resultado-P%1.txt").arg(p)) + ".res");
            const bool escreveu = saida.open(QIODevice::WriteOnly) &&
                                  saida.write(r.join(QLatin1Char('\n')).toUtf8()) > 0 && saida.flush();
            _exit(escreveu ? 0 : 1);
        }
        filhos.push_back(pid);
    }
    // And two threads of this process, each with its own references.
    QStringList doThread[2];
    std::thread threads[2];
    for (int t = 0; t < 2; ++t)
        threads[t] =
            std::thread([&, t] { doThread[t] = salva(dir, QStringLiteral("T%1").arg(t), kRodadas); });
    for (auto& t : threads)
        t.join();
    QStringList confirmados = doThread[0] + doThread[1];
    for (size_t p = 0; p < filhos.size(); ++p) {
        int estado = 0;
        ASSERT_EQ(waitpid(filhos[p], &estado, 0), filhos[p]);
        ASSERT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0);
        const QByteArray r = leArquivo(pasta.arquivo(QStringLiteral("resultado-P%1.txt").arg(p)) + ".res");
        confirmados += QString::fromUtf8(r).split(QLatin1Char('\n'));
    }

    ASSERT_EQ(confirmados.size(), 4 * 2 * kRodadas) << qPrintable(confirmados.join("\n"));
    for (const QString& c : confirmados)
        EXPECT_FALSE(c.startsWith("ERRO|")) << qPrintable(c);

    // Both tables load and hold every acknowledged save, each once; numbers are unique.
    const auto zovs = zovsNoArquivo();
    const auto contribuintes = contribuintesNoArquivo();
    QSet<QString> numeros;
    QStringList documentos;
    for (const auto& z : *zovs) {
        EXPECT_FALSE(numeros.contains(z->NUM_DOCUMENTO)) << qPrintable(z->NUM_DOCUMENTO);
        numeros.insert(z->NUM_DOCUMENTO);
        documentos.append(z->NUM_DOCUMENTO + "|" + z->NUM_DOCUMENTO_IDENT);
    }
    QStringList taxpayers;
    for (const auto& c : *contribuintes)
        taxpayers.append("C|" + c->DOCUMENTO_IDENTIFICACAO);
    QStringList noArquivo = documentos + taxpayers;
    noArquivo.sort();
    confirmados.sort();
    EXPECT_EQ(noArquivo.join(' ').toStdString(), confirmados.join(' ').toStdString());
    // Numbers follow each other: nobody took a number someone else already had.
    EXPECT_EQ(zovs->Count(), 4 * kRodadas);
    EXPECT_TRUE(numeros.contains(QString::number(4 * kRodadas)));
}

TEST_F(FachadaConcorrencia, MudancaSeAplicaAoArquivoComoEleEstaAgora) {
    auto outra = copiaDoPrograma(pasta.caminho());
    ASSERT_TRUE(insere("100", "AAA"));
    // The other copy loaded before document 1 was saved; its changes still see it.
    const auto r = outra->oZovEnv().ZOVInsert("100", "", "", "", "BBB", "0", "200503", "3", "0", "0", "0",
                                              "1", "1", "0", "0");
    ASSERT_TRUE(r.ok) << qPrintable(r.erro);
    EXPECT_EQ(r.numDocumento, "2");
    ASSERT_TRUE(outra->oZovEnv().ZovUpdateImpreso("1", "1").gravou);
    ASSERT_TRUE(fachada().ZOVDelete("2").gravou);
    ASSERT_EQ(zovsNoArquivo()->Count(), 1);
    EXPECT_EQ(zovsNoArquivo()->Item(1)->IMPRESSO, "1");

    // A rewrite that keeps the size and the time is still seen, by its content.
    const QString caminho = arquivo("ZOV");
    const QDateTime quando = QFileInfo(caminho).lastModified();
    QByteArray conteudo = bytes("ZOV");
    conteudo.replace("\r\n1|3|AAA|", "\r\n8|3|AAA|");
    gravaArquivo(caminho, conteudo);
    {
        QFile f(caminho);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(quando, QFileDevice::FileModificationTime));
    }
    const auto depois = insere("100", "CCC");
    ASSERT_TRUE(depois.ok) << qPrintable(depois.erro);
    EXPECT_EQ(depois.numDocumento, "9");

    // Rewriting memory over a file that changed since it was loaded would undo that save.
    ASSERT_TRUE(outra->oZovEnv().ContribuinteInsert("1", "X", "3", "", "").ok);
    ASSERT_TRUE(fachada().ContribuinteInsert("2", "Y", "3", "", "").ok);
    const auto regera = outra->oZovEnv().Regera_Tabela("CONTRIBUINTE");
    EXPECT_FALSE(regera.ok);
    EXPECT_EQ(contribuintesNoArquivo()->Count(), 2);
    EXPECT_EQ(outra->oCONTRIBUINTEs->Count(), 2);
}

TEST_F(FachadaConcorrencia, TabelaPresaPorOutraCopiaEhFalhaRelatadaDentroDoPrazo) {
    const QByteArray zov = bytes("ZOV");
    fachada().defineEsperaDoBloqueio(300ms);
    for (const char* tabela : {"ZOV", "CONTRIBUINTE"}) {
        SCOPED_TRACE(tabela);
        QLockFile outraCopia(zove::BloqueioTabela::caminho(pasta.caminho(), tabela));
        ASSERT_TRUE(outraCopia.tryLock(0));

        QElapsedTimer relogio;
        relogio.start();
        const auto unico =
            QString(tabela) == "ZOV" ? insere() : fachada().ContribuinteInsert("1", "X", "3", "", "");
        const auto lote = fachada().AlteraEmLote([](tabulon::ZOVs& z, tabulon::CONTRIBUINTEs& c, QString*) {
            z.Item(0);
            c.NewContribuinte("3", "1", "X", "", "");
            return true;
        });
        const qint64 decorrido = relogio.elapsed();
        for (const auto& r : {unico, lote}) {
            EXPECT_FALSE(r.ok);
            EXPECT_FALSE(r.gravou);
            EXPECT_TRUE(
                r.erro.contains(QStringLiteral("tabela %1 está sendo gravada por outra cópia").arg(tabela)))
                << qPrintable(r.erro);
        }
        EXPECT_GE(decorrido, 2 * 300);
        EXPECT_LT(decorrido, 5000);
        EXPECT_EQ(bytes("ZOV"), zov);
    }
    // Nothing stays locked after a failure.
    EXPECT_TRUE(insere().ok);
    EXPECT_TRUE(fachada().ContribuinteInsert("1", "X", "3", "", "").ok);
}

TEST_F(FachadaConcorrencia, BloqueioDeUmaCopiaQueTerminouEhRetomado) {
    // A copy that ended while saving (killed, crashed) leaves its lock file behind.
    const QString caminho = zove::BloqueioTabela::caminho(pasta.caminho(), "ZOV");
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        QLockFile trava(caminho);
        _exit(trava.tryLock(0) ? 0 : 1);
    }
    int estado = 0;
    ASSERT_EQ(waitpid(pid, &estado, 0), pid);
    ASSERT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0);
    ASSERT_TRUE(QFileInfo::exists(caminho));

    fachada().defineEsperaDoBloqueio(2s);
    const auto r = insere();
    ASSERT_TRUE(r.ok) << qPrintable(r.erro);
    EXPECT_EQ(r.numDocumento, "1");
    EXPECT_FALSE(QFileInfo::exists(caminho));
}

} // namespace
