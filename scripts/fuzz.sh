#!/usr/bin/env bash
# Fuzzes one parser with libFuzzer (clang). Usage: fuzz.sh [SECONDS] [TARGET] [extra libFuzzer options...]
# (the target may also come first: fuzz.sh TARGET [SECONDS] ...). TARGET is a fuzz target without its
# "fuzz_" prefix: tabulon (the table loader, the default, or ZOVE_FUZZ_ALVO), importacao (the batch
# import) or cadastro (the taxpayer registry import). SECONDS defaults to 60.
# Builds only the target and what it links, in build-fuzz/, apart from the normal g++ build, with
# AddressSanitizer and UBSan. The seeds are made by the function sementes_TARGET below (a new target
# adds one, and may set construir_TARGET and opcoes_TARGET); what the run finds new is kept in
# build-fuzz/corpus-TARGET, and a failing input is written to build-fuzz/ as TARGET-crash-* (or
# -leak-*, -timeout-*), reproduced with build-fuzz/bin/fuzz_TARGET FILE.
set -euo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$RAIZ/build-fuzz"
ALVO="${ZOVE_FUZZ_ALVO:-tabulon}"
SEGUNDOS=60
numero() { [[ "$1" =~ ^[0-9]+$ ]]; }
if [[ $# -gt 0 ]] && ! numero "$1" && [[ "$1" != -* ]]; then ALVO="$1"; shift; fi
if [[ $# -gt 0 ]] && numero "$1"; then SEGUNDOS="$1"; shift; fi
if [[ $# -gt 0 ]] && [[ "$1" != -* ]]; then ALVO="$1"; shift; fi
ALVO="${ALVO#fuzz_}"

# The table loader: one seed per delivered table. The first byte picks the table (its place in the
# loader's list, which the target prints) and, being below 128, asks for the content to be signed again
# after each mutation.
opcoes_tabulon=(-max_len=8192)
sementes_tabulon() {
    local i=0 nome nomes
    nomes=$("$BUILD/bin/fuzz_tabulon" --tabelas)
    for nome in $nomes; do
        { printf "\\$(printf '%03o' "$i")"; cat "$RAIZ/dados/$nome"; } >"$1/$nome"
        i=$((i + 1))
    done
    [[ $i -gt 0 ]] || { echo "fuzz.sh: fuzz_tabulon --tabelas não listou nenhuma tabela" >&2; exit 1; }
}

# The batch import: files from the record generator, valid on the day the target judges on
# (fuzz_importacao.cpp), with faults, with other line ends and in UTF-8. Lines past the 4,096 bytes the
# reader keeps need inputs longer than that. Each input allocates and frees much; AddressSanitizer's
# allocator keeps the freed memory (its quarantine), so a long run's RSS climbs past 1 GB although the
# target's own memory stays under 100 MB (as a run with ASAN_OPTIONS=quarantine_size_mb=0 shows): the
# limit is higher than the loader's.
construir_importacao=(zove-gera-lote)
opcoes_importacao=(-max_len=20000 -rss_limit_mb=4096)
sementes_importacao() {
    local gera=("$BUILD/bin/zove-gera-lote" "$RAIZ/dados") dia=2025-03-15
    ASAN_OPTIONS=detect_leaks=0 "${gera[@]}" "$1/um" 1 0 "$dia"
    ASAN_OPTIONS=detect_leaks=0 "${gera[@]}" "$1/varias-receitas" 40 0 "$dia"
    ASAN_OPTIONS=detect_leaks=0 "${gera[@]}" "$1/com-defeitos" 14 2 "$dia"
    tr -d '\r' <"$1/com-defeitos" >"$1/so-lf"
    tr -d '\n' <"$1/com-defeitos" >"$1/so-cr"
    iconv -f WINDOWS-1252 -t UTF-8 <"$1/um" >"$1/utf-8"
}

# The taxpayer registry import: exchange files as the program writes them (Windows-1252, CR LF), and
# as people make them (blanks around the header, other line ends, surplus values, UTF-8, a short line).
opcoes_cadastro=(-max_len=8192)
sementes_cadastro() {
    local cab='TIPO_DOCUMENTO|DOCUMENTO_IDENTIFICACAO|RAZAO_SOCIAL|NUM_DDD|NUM_FONE'
    cp "$RAIZ/dados/CONTRIBUINTE" "$1/entregue"
    printf '%s\r\n3|11122233344|MARIA DA SILVA|61|5551234\r\n2|1|CONCEI\307\303O LTDA|11|1\r\n' "$cab" >"$1/exportado"
    printf '%s\r\n3|1|CAF\311\226BAR LTDA|61|1\r\n3|2|JOS\311\240DA SILVA|61|2\r\n' "$cab" >"$1/acentos"
    printf '   %s   \n3|1|A|61|1|extra\n\n3|1|A|61|1\r3|2|B|||\n' "$cab" >"$1/brancos"
    printf '%s\n3|1|CONCEI\303\207\303\203O|61|1\n' "$cab" >"$1/utf-8"
    printf '%s\r\n3|1|A|61\r\n' "$cab" >"$1/curta"
}

if ! declare -F "sementes_$ALVO" >/dev/null; then
    echo "fuzz.sh: alvo desconhecido: $ALVO (conhecidos: $(declare -F | sed -n 's/.* sementes_//p' | xargs))" >&2
    exit 2
fi
declare -n CONSTRUIR="construir_$ALVO" OPCOES="opcoes_$ALVO"
[[ -v CONSTRUIR ]] || CONSTRUIR=()
[[ -v OPCOES ]] || OPCOES=()

LANCADOR=()
command -v ccache >/dev/null 2>&1 && LANCADOR=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# As in compilar.sh, ZOVE_WERROR=1 (CI) makes compiler warnings errors, and cmake's progress lines are
# left out while its warnings and errors are shown.
case "${ZOVE_WERROR:-0}" in
0 | OFF | off | "") WERROR=OFF ;;
*) WERROR=ON ;;
esac
cmake -S "$RAIZ" -B "$BUILD" --log-level=WARNING -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZOVE_FUZZ=ON -DZOVE_TESTS=OFF -DZOVE_BENCH=OFF -DZOVE_WERROR="$WERROR" "${LANCADOR[@]}"
cmake --build "$BUILD" -j"$(nproc)" --target "fuzz_$ALVO" "${CONSTRUIR[@]}"

SEMENTES="$BUILD/sementes-$ALVO"
rm -rf "$SEMENTES"
mkdir -p "$SEMENTES" "$BUILD/corpus-$ALVO"
"sementes_$ALVO" "$SEMENTES"

cd "$BUILD"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "./bin/fuzz_$ALVO" -max_total_time="$SEGUNDOS" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$ALVO-" "${OPCOES[@]}" "$@" "corpus-$ALVO" "$SEMENTES"
