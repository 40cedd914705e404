#pragma once
// The body of every benchmark's main: the allocator set up as the program sets it, then the run.
#include "common/Alocador.h"

#include <benchmark/benchmark.h>

namespace zove::bench {

inline int rodaBenchmarks(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace zove::bench

// For benchmarks that need no Qt application object.
#define ZOVE_BENCHMARK_MAIN()                                                                                \
    int main(int argc, char** argv) {                                                                        \
        zove::configuraAlocador();                                                                           \
        return zove::bench::rodaBenchmarks(argc, argv);                                                      \
    }

// For benchmarks that build widgets: an application drawing off screen.
#define ZOVE_BENCHMARK_MAIN_COM_JANELAS()                                                                    \
    int main(int argc, char** argv) {                                                                        \
        zove::configuraAlocador();                                                                           \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                             \
        QApplication app(argc, argv);                                                                        \
        return zove::bench::rodaBenchmarks(argc, argv);                                                      \
    }
