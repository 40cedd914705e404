// Start-up and reload cost of the tables: the digest check plus the load of a synthetic revenue
// table (18 columns) and of a saved-document table (18 columns, mostly distinct values) of 1,000 to
// 100,000 lines. The time per line should stay flat as the table grows (the fitted complexity is
// printed as "BigO"). Two pathological files show that time and memory stay linear: a header of many
// empty names and a record line made only of "|".
#include "tabulon/Funcoes.h"
#include "tabulon/Init.h"
#include "tabulon/MD5Driver.h"
#include "tabulon/Texto1252.h"

#include "support/Principal.h"
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <map>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const char kCabecalho[] =
    "MCR_COD_RCTA|MCR_NOME_RCTA|MCR_CLASS_ORCAM|MCR_ORGANO_MUN|MCR_COL_BALANC|MCR_COD_MULT|"
    "MCR_COD_INTE|MCR_COD_CORR_MONET|MCR_FEC_INIC_VAL|MCR_FEC_FIN_VAL|MCR_INDX_FINANC|"
    "MCR_PERID_RCTA|MCD_INDX_RCTA|MCR_STUS_RCTA|MCR_COD_USR|MCR_COD_NAC|MCR_GRUPO_TRIB|"
    "MCR_MTR_TIP_RECEITA";

const char kCabecalhoZov[] =
    "NUM_DOCUMENTO|TIPO_DOCUMENTO_IDENT|NUM_DOCUMENTO_IDENT|COD_RECEITA|REFERENCIA|NUM_DOCUMENTO_ORIGEM|"
    "DATA_VENCIMENTO|DATA_CALCULO|VALOR_PRINCIPAL|VALOR_JUROS|VALOR_MULTA|VALOR_CORRECAO|VALOR_TOTAL|"
    "DATA_ATUALIZACAO|COD_UF|COD_MUNICIPIO|COD_CLASSE_VECTO|IMPRESO";

void grava(const QString& caminho, const QByteArray& conteudo) {
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly) || f.write(conteudo) != conteudo.size())
        throw std::runtime_error("cannot write the benchmark table");
}

// One table file per kind and size, written once and kept for the whole run.
class Tabela {
public:
    enum Tipo { Receitas, Documentos };

    Tabela(Tipo tipo, int linhas) : m_arquivo(tipo == Receitas ? "mab_arrec" : "ZOV") {
        m_init.sDiretorioDados(m_dir.path());
        if (tipo == Receitas) {
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
            grava(caminho(), tabulon::juntaLinhas(conteudo));
        } else {
            // Saved documents: numbers, taxpayers and amounts mostly distinct, dates spread over years.
            QList<QByteArray> conteudo{kCabecalhoZov};
            conteudo.reserve(linhas + 1);
            for (int i = 1; i < linhas; ++i) {
                const int principal = 1000 + (i * 7919) % 9000000;
                conteudo.append(QStringLiteral("%1|3|%2|%3|%4|%5|%6/%7/20%8|%6/%7/20%8|%9,%10|0,00|0,00|0,00|"
                                               "%9,%10|%7/%6/20%8|OL|%11|%12|%13")
                                    .arg(i)
                                    .arg(10000000000LL + qint64(i) * 7777 % 89999999999LL)
                                    .arg(100 + i % 60)
                                    .arg(200500 + i % 1200)
                                    .arg(i % 4 ? QString() : QString::number(900000 + i))
                                    .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                    .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                                    .arg(10 + i % 16)
                                    .arg(principal / 100)
                                    .arg(principal % 100, 2, 10, QLatin1Char('0'))
                                    .arg(1000 + i % 250)
                                    .arg(i % 9)
                                    .arg(i % 2)
                                    .toLatin1());
            }
            grava(caminho(), tabulon::juntaLinhas(conteudo));
        }
    }
    const tabulon::Init& init() const { return m_init; }
    QString caminho() const { return m_dir.filePath(m_arquivo); }

    static const Tabela& de(Tipo tipo, int linhas) {
        static std::map<std::pair<Tipo, int>, std::unique_ptr<Tabela>> tabelas;
        auto& t = tabelas[{tipo, linhas}];
        if (!t)
            t = std::make_unique<Tabela>(tipo, linhas);
        return *t;
    }

private:
    QString m_arquivo;
    QTemporaryDir m_dir;
    tabulon::Init m_init;
};

void linhasPorSegundo(benchmark::State& state) {
    state.counters["linhas"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                  benchmark::Counter::kIsIterationInvariantRate);
    state.SetComplexityN(state.range(0));
}

// What start-up pays for the largest reference table: digest check and load.
void BM_CarregarReceita(benchmark::State& state) {
    const Tabela& t = Tabela::de(Tabela::Receitas, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto receitas = t.init().CarregarReceita();
        if (receitas->Count() != state.range(0) - 1)
            state.SkipWithError("wrong number of records");
        benchmark::DoNotOptimize(receitas);
    }
    linhasPorSegundo(state);
}
BENCHMARK(BM_CarregarReceita)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Arg(30000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

// What every save pays: the saved documents are reloaded after each change.
void BM_CarregarZOV(benchmark::State& state) {
    const Tabela& t = Tabela::de(Tabela::Documentos, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto zovs = t.init().CarregarZOV();
        if (zovs->Count() != state.range(0) - 1)
            state.SkipWithError("wrong number of records");
        benchmark::DoNotOptimize(zovs);
    }
    linhasPorSegundo(state);
}
BENCHMARK(BM_CarregarZOV)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Arg(30000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

// The digest check alone.
void BM_ValidaHashDeArchivoMD5(benchmark::State& state) {
    const Tabela& t = Tabela::de(Tabela::Receitas, static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(t.init().ValidaHashDeArchivoMD5(t.caminho()));
    linhasPorSegundo(state);
}
BENCHMARK(BM_ValidaHashDeArchivoMD5)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

// A saved-document table whose header is range(0) "|" followed by the real column names, so every
// name lookup walks them all.
void BM_CabecalhoLongo(benchmark::State& state) {
    QTemporaryDir dir;
    const QByteArray vazios(state.range(0), '|');
    grava(dir.filePath(QStringLiteral("ZOV")),
          vazios + kCabecalhoZov + "\r\n" + vazios + "1|3|123|100|200501|||||||||||||0\r\n");
    tabulon::Init init;
    init.sDiretorioDados(dir.path());
    for (auto _ : state) {
        auto zovs = init.CarregarZOV();
        benchmark::DoNotOptimize(zovs);
    }
    state.counters["barras"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                  benchmark::Counter::kIsIterationInvariantRate);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CabecalhoLongo)
    ->RangeMultiplier(4)
    ->Range(50000, 800000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

// A line of /proc/self/status in bytes ("VmRSS", "VmHWM").
double kibDe(const char* campo) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& linha : f.readAll().split('\n')) {
        if (linha.startsWith(campo))
            return linha.mid(qstrlen(campo) + 1).trimmed().split(' ').first().toDouble() * 1024.0;
    }
    return 0;
}

// Peak memory of one load of a file whose only record (or whose header) is range(0) bytes of "|",
// as a multiple of the file's size. The load runs in a child process that first gives back the free
// memory it inherited and resets its peak, so the figure is the load's own.
void picoDeMemoria(benchmark::State& state, bool noCabecalho) {
    QTemporaryDir dir;
    const QByteArray barras(state.range(0), '|');
    const QByteArray conteudo =
        noCabecalho ? barras + "\r\n" : QByteArray(kCabecalhoZov) + "\r\n" + barras + "\r\n";
    grava(dir.filePath(QStringLiteral("ZOV")), conteudo);
    double pico = 0;
    for (auto _ : state) {
        int canal[2];
        if (pipe(canal) != 0) {
            state.SkipWithError("pipe");
            break;
        }
        const pid_t filho = fork();
        if (filho == 0) {
            malloc_trim(0);
            QFile zera(QStringLiteral("/proc/self/clear_refs"));
            if (zera.open(QIODevice::WriteOnly))
                zera.write("5");
            zera.close();
            const double antes = kibDe("VmRSS:");
            tabulon::Init init;
            init.sDiretorioDados(dir.path());
            try {
                benchmark::DoNotOptimize(init.CarregarZOV());
            } catch (...) {
            }
            const double medida = kibDe("VmHWM:") - antes;
            _exit(write(canal[1], &medida, sizeof medida) == sizeof medida ? 0 : 1);
        }
        close(canal[1]);
        if (read(canal[0], &pico, sizeof pico) != sizeof pico)
            state.SkipWithError("no figure from the child");
        close(canal[0]);
        waitpid(filho, nullptr, 0);
    }
    state.counters["pico/arquivo"] = pico / static_cast<double>(conteudo.size());
}
void BM_MemoriaLinhaDeBarras(benchmark::State& state) {
    picoDeMemoria(state, false);
}
void BM_MemoriaCabecalhoDeBarras(benchmark::State& state) {
    picoDeMemoria(state, true);
}
BENCHMARK(BM_MemoriaLinhaDeBarras)->Arg(30 << 20)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoriaCabecalhoDeBarras)->Arg(30 << 20)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

ZOVE_BENCHMARK_MAIN()
