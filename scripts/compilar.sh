#!/usr/bin/env bash
# Configures and builds ZOVE. Usage: compilar.sh [BUILD_DIR] [extra cmake options...]
# With ZOVE_WERROR=1 in the environment (as CI runs it), compiler warnings are errors.
set -euo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${1:-$RAIZ/build}"
shift || true
# A compiler cache, when the machine has one, makes rebuilds of several checkouts cheap.
LANCADOR=()
if command -v ccache >/dev/null 2>&1; then
    LANCADOR=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$RAIZ")}"
fi
case "${ZOVE_WERROR:-0}" in
0 | OFF | off | "") WERROR=OFF ;;
*) WERROR=ON ;;
esac
# cmake's progress lines are left out; its warnings and errors are shown.
cmake -S "$RAIZ" -B "$BUILD" --log-level=WARNING -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" \
    -DZOVE_WERROR="$WERROR" "${LANCADOR[@]}" "$@"
cmake --build "$BUILD" -j"$(nproc)"
