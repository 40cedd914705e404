// Cost of a batch import of n valid records, from reading the file to both tables written and
// reloaded, into empty tables and into tables already holding 32,767 documents. The time should grow
// in proportion to the records (the complexity fit reports it).
#include "data/Referencias.h"
#include "import/ZovImportacao.h"
#include "tools/GeradorRegistros.h"

#include "support/Principal.h"
#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <map>
#include <memory>
#include <stdexcept>

namespace {

const QDate kHoje = QDate::currentDate();

void copiaPasta(const QString& origem, const QString& destino) {
    QDir().mkpath(destino);
    const QDir dir(origem);
    for (const QString& f : dir.entryList(QDir::Files)) {
        QFile::remove(destino + QLatin1Char('/') + f);
        if (!QFile::copy(dir.filePath(f), destino + QLatin1Char('/') + f))
            throw std::runtime_error("cannot copy the data folder");
    }
}

void escreve(const QString& caminho, const QByteArray& conteudo) {
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly) || f.write(conteudo) != conteudo.size())
        throw std::runtime_error("cannot write the batch file");
}

// The delivered folder, and the same folder after 32,767 documents were imported into it, made once.
struct Modelos {
    QTemporaryDir dir;
    QString vazia, cheia;
    std::map<int, QString> lotes;

    Modelos() {
        vazia = dir.filePath(QStringLiteral("vazia"));
        cheia = dir.filePath(QStringLiteral("cheia"));
        copiaPasta(QStringLiteral(ZOVE_SOURCE_DIR "/dados"), vazia);
        copiaPasta(vazia, cheia);
        const QString lote = arquivo(32767);
        auto refs = zove::Referencias::carregar(cheia);
        if (!zove::ZovImportacao(*refs, [] { return kHoje; }).ImportaDados(lote))
            throw std::runtime_error("cannot fill the tables");
    }

    QString arquivo(int n) {
        auto& caminho = lotes[n];
        if (caminho.isEmpty()) {
            caminho = dir.filePath(QStringLiteral("lote%1.txt").arg(n));
            const auto refs = zove::Referencias::carregar(vazia);
            escreve(caminho, zove::GeradorRegistros(*refs, kHoje).arquivo(n));
        }
        return caminho;
    }
};

Modelos& modelos() {
    static Modelos m;
    return m;
}

void importa(benchmark::State& state, bool tabelasCheias) {
    const int n = static_cast<int>(state.range(0));
    Modelos& m = modelos();
    const QString lote = m.arquivo(n);
    QTemporaryDir trabalho;
    const QString pasta = trabalho.filePath(QStringLiteral("Dados"));
    for (auto _ : state) {
        state.PauseTiming();
        copiaPasta(tabelasCheias ? m.cheia : m.vazia, pasta);
        auto refs = zove::Referencias::carregar(pasta);
        zove::ZovImportacao importacao(*refs, [] { return kHoje; });
        state.ResumeTiming();

        const bool ok = importacao.ImportaDados(lote);

        state.PauseTiming();
        if (!ok || importacao.progresso().validos != n) {
            state.SkipWithError("the import did not store every record");
            break;
        }
        refs.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(n);
    state.counters["registros/s"] =
        benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_ImportacaoTabelasVazias(benchmark::State& state) {
    importa(state, false);
}
void BM_ImportacaoSobre32767Documentos(benchmark::State& state) {
    importa(state, true);
}

} // namespace

BENCHMARK(BM_ImportacaoTabelasVazias)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(16384)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_ImportacaoSobre32767Documentos)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(16384)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Complexity(benchmark::oN);

ZOVE_BENCHMARK_MAIN()
