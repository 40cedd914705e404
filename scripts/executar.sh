#!/usr/bin/env bash
# Installs what is missing, builds and starts ZOVE on its delivered data, in a Brazilian locale.
set -euo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
"$RAIZ/scripts/instalar-dependencias.sh"
"$RAIZ/scripts/compilar.sh" "$RAIZ/build"
export LANG=pt_BR.UTF-8 LC_ALL=pt_BR.UTF-8
cd "$RAIZ/build/bin"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Sem tela gráfica: iniciando o ZOVE num servidor X virtual (xvfb-run)."
    exec xvfb-run -a ./zove "$@"
fi
exec ./zove "$@"
