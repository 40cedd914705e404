#!/usr/bin/env bash
# Fuzzes the table loader with libFuzzer (clang). Usage: fuzz.sh [SECONDS] [extra libFuzzer options...]
# Builds only tabulon and the fuzz target, in build-fuzz/, apart from the normal g++ build. The seed
# corpus is made from the delivered tables in dados/; what the run finds new is kept in
# build-fuzz/corpus, and a failing input is written to build-fuzz/ as crash-* (or leak-*, timeout-*).
set -euo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
SEGUNDOS="${1:-60}"
shift || true
BUILD="$RAIZ/build-fuzz"

LANCADOR=()
command -v ccache >/dev/null 2>&1 && LANCADOR=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$RAIZ" -B "$BUILD" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZOVE_FUZZ=ON -DZOVE_TESTS=OFF -DZOVE_BENCH=OFF "${LANCADOR[@]}" >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target fuzz_tabulon

# One seed per delivered table: the first byte picks the table (its place in the loading order) and,
# being below 128, asks for the content to be signed again after each mutation.
SEMENTES="$BUILD/sementes"
mkdir -p "$SEMENTES" "$BUILD/corpus"
i=0
for nome in mab_receita_classe TAB_MUNIC mab_classe_vencimento mab_arrec mab_tipo_identificacao \
    mab_tipo_periodicidade mab_tipo_receita mab_valida_doc CONTRIBUINTE ZOV PARAMETROS PERIODOS \
    TAB_CERT_ANTIGA mab_tipo_documento_origem; do
    { printf "\\$(printf '%03o' "$i")"; cat "$RAIZ/dados/$nome"; } >"$SEMENTES/$nome"
    i=$((i + 1))
done

cd "$BUILD"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ./bin/fuzz_tabulon -max_total_time="$SEGUNDOS" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 "$@" corpus "$SEMENTES"
