// Start-up cost of the largest reference table: the digest check plus the load of a synthetic
// revenue table (18 columns) of 1,000 to 100,000 lines. The figures per line should stay flat as
// the table grows.
#include "tabulon/Funcoes.h"
#include "tabulon/Init.h"
#include "tabulon/MD5Driver.h"
#include "tabulon/Texto1252.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

const char kCabecalho[] =
    "MCR_COD_RCTA|MCR_NOME_RCTA|MCR_CLASS_ORCAM|MCR_ORGANO_MUN|MCR_COL_BALANC|MCR_COD_MULT|"
    "MCR_COD_INTE|MCR_COD_CORR_MONET|MCR_FEC_INIC_VAL|MCR_FEC_FIN_VAL|MCR_INDX_FINANC|"
    "MCR_PERID_RCTA|MCD_INDX_RCTA|MCR_STUS_RCTA|MCR_COD_USR|MCR_COD_NAC|MCR_GRUPO_TRIB|"
    "MCR_MTR_TIP_RECEITA";

// One signed table per size, written once and kept for the whole run.
class Tabela {
public:
    explicit Tabela(int linhas) {
        QList<QByteArray> conteudo{kCabecalho};
        conteudo.reserve(linhas + 2);
        for (int i = 1; i < linhas; ++i) {
            // Names carry entity names, as the delivered tables do.
            conteudo.append(tabulon::codifica1252(
                QStringLiteral("%1|Taxa de servi&ccedil;o n&ordm; %1 - emiss&atilde;o de certid&atilde;o|"
                               "1.1.2.0.%2|0|3|%3|%4|%5|01/01/2005||1|1|2|1|ZOVE|%6|4|%7")
                    .arg(1000 + i)
                    .arg(i % 97, 2, 10, QLatin1Char('0'))
                    .arg(2000 + i % 13)
                    .arg(3000 + i % 17)
                    .arg(4000 + i % 19)
                    .arg(i % 5)
                    .arg(i % 3 + 1)));
        }
        conteudo.append(QByteArray(tabulon::MD5Driver::MarcaDigest) +
                        tabulon::MD5Driver::digestDasLinhas(conteudo));
        QFile f(m_dir.filePath("mab_arrec"));
        if (!f.open(QIODevice::WriteOnly) || f.write(tabulon::juntaLinhas(conteudo)) < 0)
            throw std::runtime_error("cannot write the benchmark table");
        m_init.sDiretorioDados(m_dir.path());
    }
    const tabulon::Init& init() const { return m_init; }
    QString caminho() const { return m_dir.filePath("mab_arrec"); }

    static const Tabela& de(int linhas) {
        static std::map<int, std::unique_ptr<Tabela>> tabelas;
        auto& t = tabelas[linhas];
        if (!t)
            t = std::make_unique<Tabela>(linhas);
        return *t;
    }

private:
    QTemporaryDir m_dir;
    tabulon::Init m_init;
};

void linhasPorSegundo(benchmark::State& state) {
    state.counters["linhas"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                  benchmark::Counter::kIsIterationInvariantRate);
}

// What start-up pays for the table: digest check and load.
void BM_CarregarReceita(benchmark::State& state) {
    const Tabela& t = Tabela::de(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto receitas = t.init().CarregarReceita();
        if (receitas->Count() != state.range(0) - 1)
            state.SkipWithError("wrong number of records");
        benchmark::DoNotOptimize(receitas);
    }
    linhasPorSegundo(state);
}
BENCHMARK(BM_CarregarReceita)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The digest check alone.
void BM_ValidaHashDeArchivoMD5(benchmark::State& state) {
    const Tabela& t = Tabela::de(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(t.init().ValidaHashDeArchivoMD5(t.caminho()));
    linhasPorSegundo(state);
}
BENCHMARK(BM_ValidaHashDeArchivoMD5)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
