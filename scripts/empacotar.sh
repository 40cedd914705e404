#!/usr/bin/env bash
# Builds ZOVE and writes its Debian package, zove_<versão>_<arquitetura>.deb, in the current folder (or in
# ZOVE_PACOTE_SAIDA), then checks it: lintian without errors, desktop-file-validate and
# appstreamcli validate --no-net on the files it installs.
#
#   empacotar.sh               a release build in build-pacote/ (no tests, no benchmarks)
#   empacotar.sh BUILD_DIR     an existing build folder (as CI's build/), brought up to date and packaged
set -euo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
SAIDA="$(mkdir -p "${ZOVE_PACOTE_SAIDA:-$PWD}" && cd "${ZOVE_PACOTE_SAIDA:-$PWD}" && pwd)"

# The package tools and the checkers: needed only here, so installed here rather than with the
# build's dependencies. dpkg-dev gives dpkg-shlibdeps, which CPack runs for the dependency list.
PACOTES=(dpkg-dev lintian desktop-file-utils appstream)
faltando=()
for p in "${PACOTES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltando+=("$p")
done
if [ ${#faltando[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    echo "Instalando: ${faltando[*]}"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${faltando[@]}" >/dev/null
fi

if [ $# -ge 1 ]; then
    BUILD="$(cd "$1" && pwd)"
    # Reconfigures (the install rules may be newer than the folder) and builds only what is installed.
    cmake --log-level=WARNING "$BUILD"
    cmake --build "$BUILD" -j"$(nproc)" --target zove zove-assina pacote_arquivos
else
    BUILD="$RAIZ/build-pacote"
    BUILD_TYPE=Release "$RAIZ/scripts/compilar.sh" "$BUILD" -DZOVE_TESTS=OFF -DZOVE_BENCH=OFF
fi

rm -f "$BUILD"/pacote/*.deb
(cd "$BUILD" && cpack -G DEB >/dev/null)
DEB_GERADO=("$BUILD"/pacote/*.deb)
[ -f "${DEB_GERADO[0]}" ] || { echo "empacotar: o CPack não gerou o pacote" >&2; exit 1; }
DEB="$SAIDA/$(basename "${DEB_GERADO[0]}")"
cp "${DEB_GERADO[0]}" "$DEB"

TEMP="$(mktemp -d)"
trap 'rm -rf "$TEMP"' EXIT
echo "== lintian =="
rc=0
lintian --fail-on error "$DEB" >"$TEMP/lintian.txt" 2>&1 || rc=$?
# Lintian's note that it runs as root says nothing about the package.
grep -v 'running with root privileges' "$TEMP/lintian.txt" || true
if [ "$rc" -ne 0 ]; then
    echo "empacotar: o lintian encontrou erros" >&2
    exit 1
fi

mkdir "$TEMP/raiz"
dpkg-deb -x "$DEB" "$TEMP/raiz"
echo "== desktop-file-validate e appstreamcli =="
desktop-file-validate "$TEMP"/raiz/usr/share/applications/*.desktop
appstreamcli validate --no-net "$TEMP"/raiz/usr/share/metainfo/*.metainfo.xml

echo "Pacote: $DEB ($(du -h "$DEB" | cut -f1))"
dpkg-deb -f "$DEB" Depends Recommends
