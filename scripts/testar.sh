#!/usr/bin/env bash
# Installs what is missing, builds ZOVE and runs every test.
set -euo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
"$RAIZ/scripts/instalar-dependencias.sh"
"$RAIZ/scripts/compilar.sh" "$RAIZ/build"
cd "$RAIZ/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
