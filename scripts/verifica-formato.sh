#!/usr/bin/env bash
# Checks that every tracked C++ file (*.cpp, *.h) is formatted by the repository's .clang-format, as
# clang-format 14 (Debian 12) formats it. Names each file that differs and fails; `clang-format -i FILE`
# formats it. CLANG_FORMAT picks another binary.
set -euo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
cd "$RAIZ"
FORMATADOR="${CLANG_FORMAT:-clang-format}"
if ! command -v "$FORMATADOR" >/dev/null 2>&1; then
    echo "verifica-formato: $FORMATADOR não encontrado (pacote clang-format; scripts/instalar-dependencias.sh o instala)" >&2
    exit 2
fi

mapfile -t ARQUIVOS < <(git ls-files -- '*.cpp' '*.h')
if [ ${#ARQUIVOS[@]} -eq 0 ]; then
    echo "verifica-formato: nenhum arquivo C++ no git (a pasta não é um checkout?)" >&2
    exit 2
fi
EXISTENTES=()
for arquivo in "${ARQUIVOS[@]}"; do
    # A tracked file deleted in the working tree has nothing to check.
    [ -e "$arquivo" ] && EXISTENTES+=("$arquivo")
done
diferentes=()
# One run over the whole tree; only when it finds something is each file checked on its own, to name it.
if ! "$FORMATADOR" --dry-run --Werror "${EXISTENTES[@]}" >/dev/null 2>&1; then
    for arquivo in "${EXISTENTES[@]}"; do
        "$FORMATADOR" --dry-run --Werror "$arquivo" >/dev/null 2>&1 || diferentes+=("$arquivo")
    done
fi
if [ ${#diferentes[@]} -gt 0 ]; then
    echo "verifica-formato: ${#diferentes[@]} arquivo(s) fora do formato de .clang-format ($("$FORMATADOR" --version)):" >&2
    printf '  %s\n' "${diferentes[@]}" >&2
    echo "Formate com: $FORMATADOR -i ARQUIVO..." >&2
    exit 1
fi
echo "verifica-formato: ${#EXISTENTES[@]} arquivos C++ no formato de .clang-format"
