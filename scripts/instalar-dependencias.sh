#!/usr/bin/env bash
# Installs the Debian 12 packages ZOVE needs to build, run and test, when any is missing.
set -euo pipefail
PACOTES=(
    build-essential cmake
    qt6-base-dev qt6-base-dev-tools libgl-dev
    fonts-liberation
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth
)
faltando=()
for p in "${PACOTES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        faltando+=("$p")
    fi
done
if [ ${#faltando[@]} -gt 0 ]; then
    echo "Instalando: ${faltando[*]}"
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${faltando[@]}"
fi
