#!/usr/bin/env bash
# Installs the Debian 12 packages ZOVE needs to build, run and test, when any is missing, and makes
# the Brazilian locale (pt_BR.UTF-8) available to the system.
set -euo pipefail
PACOTES=(
    build-essential cmake
    qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
    fonts-liberation
    libgtest-dev libgmock-dev libbenchmark-dev
    libzbar-dev libpoppler-cpp-dev
    xvfb xauth
    locales
    clang libclang-rt-14-dev
    clang-format
    cups-daemon cups-client libcups2-dev
)
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

faltando=()
for p in "${PACOTES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        faltando+=("$p")
    fi
done
if [ ${#faltando[@]} -gt 0 ]; then
    echo "Instalando: ${faltando[*]}"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${faltando[@]}"
fi

# ZOVE reads its regional settings from LANG/LC_ALL; the C library and the shell also need the
# locale itself to exist.
if ! locale -a 2>/dev/null | grep -qiE '^pt_BR\.utf-?8$'; then
    echo "Gerando a localidade pt_BR.UTF-8"
    if grep -qE '^#? *pt_BR\.UTF-8 UTF-8' /etc/locale.gen; then
        $SUDO sed -i -E 's/^# *(pt_BR\.UTF-8 UTF-8)/\1/' /etc/locale.gen
    else
        echo 'pt_BR.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    fi
    $SUDO locale-gen >/dev/null
fi
