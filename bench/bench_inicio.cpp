// Start-up cost: loading and verifying every delivered table (the digest of each reference table is
// checked on the way), in the program and as the clerk's support check "zove --verificar" run as a
// whole process (process start, Qt start, fourteen loads).
#include "app/Verificacao.h"
#include "data/Referencias.h"

#include "support/Principal.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

#include <benchmark/benchmark.h>

namespace {

const QString kDados = QStringLiteral(ZOVE_SOURCE_DIR "/dados");

void BM_CarregarReferencias(benchmark::State& state) {
    qsizetype registros = 0;
    for (auto _ : state) {
        auto refs = zove::Referencias::carregar(kDados);
        registros = refs->oTAB_MUNICs->Count() + refs->oARREC_MAB_RECEITAs->Count() +
                    refs->oMAB_VALIDA_DOCs->Count() + refs->oPERIODOSs->Count();
        benchmark::DoNotOptimize(refs);
    }
    state.counters["municipios+receitas+regras+periodos"] = static_cast<double>(registros);
}
BENCHMARK(BM_CarregarReferencias)->Unit(benchmark::kMillisecond);

// The support check's work without the process around it: each table through its own loader.
void BM_VerificaTabelas(benchmark::State& state) {
    for (auto _ : state) {
        const auto resultados = zove::verificaTabelas(kDados);
        for (const auto& r : resultados) {
            if (!r.ok) {
                state.SkipWithError(qPrintable(r.arquivo + r.erro));
                return;
            }
        }
        benchmark::DoNotOptimize(resultados);
    }
}
BENCHMARK(BM_VerificaTabelas)->Unit(benchmark::kMillisecond);

void BM_ZoveVerificarProcesso(benchmark::State& state) {
    const QString programa = QCoreApplication::applicationDirPath() + QStringLiteral("/zove");
    if (!QFileInfo(programa).isExecutable()) {
        state.SkipWithError("the zove program is not built beside the benchmark");
        return;
    }
    for (auto _ : state) {
        QProcess processo;
        processo.start(programa, {QStringLiteral("--verificar"), QStringLiteral("--dados"), kDados});
        if (!processo.waitForFinished(60000) || processo.exitStatus() != QProcess::NormalExit ||
            processo.exitCode() != 0) {
            state.SkipWithError("zove --verificar did not end with 0 on the delivered data");
            return;
        }
        benchmark::DoNotOptimize(processo.readAllStandardOutput());
    }
}
BENCHMARK(BM_ZoveVerificarProcesso)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    zove::configuraAlocador();
    QCoreApplication app(argc, argv);
    return zove::bench::rodaBenchmarks(argc, argv);
}
