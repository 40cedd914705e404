// Cost of saving one document through the data facade: the whole ZOV file is rewritten (copy and
// table) and loaded again, so the time grows with the number of saved documents.
#include "data/ArquivoDeTabela.h"
#include "data/Referencias.h"
#include "data/ZovEnv_Simulator.h"
#include "tabulon/Funcoes.h"
#include "tabulon/Init.h"

#include "support/Principal.h"
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const char* const kCabecalho =
    "NUM_DOCUMENTO|TIPO_DOCUMENTO_IDENT|NUM_DOCUMENTO_IDENT|COD_RECEITA|REFERENCIA|NUM_DOCUMENTO_ORIGEM|"
    "DATA_VENCIMENTO|DATA_CALCULO|VALOR_PRINCIPAL|VALOR_JUROS|VALOR_MULTA|VALOR_CORRECAO|VALOR_TOTAL|"
    "DATA_ATUALIZACAO|COD_UF|COD_MUNICIPIO|COD_CLASSE_VECTO|IMPRESO";

// A data folder whose ZOV file holds n documents numbered 1..n and an empty CONTRIBUINTE.
void preparaPasta(const QString& pasta, int n) {
    QList<QByteArray> linhas{kCabecalho};
    for (int i = 1; i <= n; ++i)
        linhas.append(QByteArray::number(i) + "|3|" + QByteArray::number(10000000000LL + i) +
                      "|100|200503|0|10/04/2005|30/04/2005|1.234,56|0|0|0|1.234,56|01/04/2005|OL|0|0|0");
    if (!tabulon::gravaArquivoAtomico(pasta + "/ZOV", tabulon::juntaLinhas(linhas)) ||
        !tabulon::gravaArquivoAtomico(
            pasta + "/CONTRIBUINTE",
            tabulon::juntaLinhas({"TIPO_DOCUMENTO|DOCUMENTO_IDENTIFICACAO|RAZAO_SOCIAL|"
                                  "NUM_DDD|NUM_FONE"})))
        throw std::runtime_error("cannot prepare the data folder");
}

void BM_ZOVInsert(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    preparaPasta(dir.path(), n);
    zove::Referencias refs;
    refs.sDirDados = dir.path();
    tabulon::Init init;
    init.sDiretorioDados(dir.path());
    refs.oZOVs = init.CarregarZOV();
    refs.oCONTRIBUINTEs = init.CarregarContribuinte();
    zove::ZovEnv_Simulator& fachada = refs.oZovEnv();

    for (auto _ : state) {
        const auto r = fachada.ZOVInsert("100", "01/04/2005", "30/04/2005", "10/04/2005", "12345678909", "0",
                                         "200503", "3", "0", "0", "0", "1.234,56", "1.234,56", "0", "0");
        if (!r.ok) {
            state.SkipWithError(r.erro.toStdString().c_str());
            break;
        }
        // Back to n documents, so every insert meets the same table size.
        state.PauseTiming();
        const auto d = fachada.ZOVDelete(r.numDocumento);
        if (!d.ok) {
            state.SkipWithError(d.erro.toStdString().c_str());
            break;
        }
        state.ResumeTiming();
    }
    state.counters["documentos"] = n;
}

BENCHMARK(BM_ZOVInsert)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The part of a save that guards against other copies of the program: taking and releasing the
// table's lock and checking the file against what was loaded (reading it and its digest).
void BM_BloqueioEConferencia(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    preparaPasta(dir.path(), n);
    const zove::AssinaturaArquivo carregada = zove::AssinaturaArquivo::doArquivo(dir.path() + "/ZOV");
    for (auto _ : state) {
        zove::BloqueioTabela bloqueio(dir.path(), "ZOV");
        QString erro;
        if (!bloqueio.trava(std::chrono::seconds(1), &erro)) {
            state.SkipWithError(erro.toStdString().c_str());
            break;
        }
        const bool emDia = zove::AssinaturaArquivo::doArquivo(dir.path() + "/ZOV") == carregada;
        benchmark::DoNotOptimize(emDia);
    }
    state.counters["documentos"] = n;
}

BENCHMARK(BM_BloqueioEConferencia)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

ZOVE_BENCHMARK_MAIN()
