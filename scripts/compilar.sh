#!/usr/bin/env bash
# Configures and builds ZOVE. Usage: compilar.sh [BUILD_DIR] [extra cmake options...]
set -euo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${1:-$RAIZ/build}"
shift || true
cmake -S "$RAIZ" -B "$BUILD" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
cmake --build "$BUILD" -j"$(nproc)"
