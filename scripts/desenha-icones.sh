#!/usr/bin/env bash
# Renders the program's icon (pacote/icones/br.gov.ostral.pyx.Zove.svg) as the PNG sizes the desktop
# looks up in share/icons/hicolor. The PNGs are kept in the tree, so building the package needs no
# SVG renderer; run this after changing the SVG.
set -euo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
if ! command -v rsvg-convert >/dev/null 2>&1; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends librsvg2-bin
fi
ICONES="$RAIZ/pacote/icones"
for t in 16 22 24 32 48 64 128 256; do
    mkdir -p "$ICONES/hicolor/${t}x${t}/apps"
    rsvg-convert -w "$t" -h "$t" "$ICONES/br.gov.ostral.pyx.Zove.svg" \
        -o "$ICONES/hicolor/${t}x${t}/apps/br.gov.ostral.pyx.Zove.png"
done
