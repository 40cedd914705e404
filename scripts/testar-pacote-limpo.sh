#!/usr/bin/env bash
# Installs the Debian package with apt into a clean Debian 12 (debootstrap --variant=minbase) and runs it
# there as an ordinary user: --verificar, --importar of a small batch, --pdf, and the window started with
# its desktop entry's command under xvfb-run, which must stay up and show its window. The chroot runs
# in its own mount and process namespaces, so no mount outlives the script; the root is removed at the
# end (ZOVE_MANTER_RAIZ=1 keeps it, with the screenshot tela.png and the PDF, for a look).
# Usage: testar-pacote-limpo.sh [PACOTE.deb [BUILD_DIR]]
#   Without a package, BUILD_DIR (default build/) is packaged with scripts/empacotar.sh; its
#   zove-gera-lote makes the batch of documents saved there.
# Needs the network to Debian's mirror (ZOVE_ESPELHO, default the one apt uses here). Takes minutes.
set -euo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${2:-$RAIZ/build}"
inicio=$SECONDS
[ "$(id -u)" -eq 0 ] || { echo "testar-pacote-limpo: precisa ser root (debootstrap, chroot)" >&2; exit 1; }
for p in debootstrap; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
        { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$p"; }
done

TEMP="$(mktemp -d /var/tmp/zove-limpo.XXXXXX)"
limpa() {
    if [ "${ZOVE_MANTER_RAIZ:-0}" = 1 ]; then
        echo "Raiz mantida em $TEMP"
    else
        rm -rf --one-file-system "$TEMP"
    fi
}
trap limpa EXIT

if [ $# -ge 1 ]; then
    cp "$1" "$TEMP/"
else
    ZOVE_PACOTE_SAIDA="$TEMP" bash "$RAIZ/scripts/empacotar.sh" "$BUILD"
fi
DEB=("$TEMP"/zove_*.deb)
[ -f "${DEB[0]}" ] || { echo "testar-pacote-limpo: sem pacote" >&2; exit 1; }

ESPELHO="${ZOVE_ESPELHO:-$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n1)}"
ESPELHO="${ESPELHO:-http://deb.debian.org/debian}"
RAIZ_LIMPA="$TEMP/debian12"
echo "== debootstrap --variant=minbase bookworm ($ESPELHO) =="
t=$SECONDS
debootstrap --variant=minbase bookworm "$RAIZ_LIMPA" "$ESPELHO" >"$TEMP/debootstrap.log" 2>&1 ||
    { tail -n 30 "$TEMP/debootstrap.log"; exit 1; }
echo "debootstrap: $((SECONDS - t)) s"

cp "${DEB[0]}" "$RAIZ_LIMPA/tmp/zove.deb"
# A small batch of documents to save, made from the delivered tables by the build's generator when
# there is one; otherwise the saved-document checks are skipped.
if [ -x "$BUILD/bin/zove-gera-lote" ]; then
    "$BUILD/bin/zove-gera-lote" "$RAIZ/dados" "$RAIZ_LIMPA/tmp/lote.txt" 3
fi
cp /etc/resolv.conf "$RAIZ_LIMPA/etc/resolv.conf"

cat >"$RAIZ_LIMPA/tmp/dentro.sh" <<'DENTRO'
#!/bin/bash
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
falha() { echo "FALHOU: $*" >&2; exit 1; }
t=$SECONDS
apt-get update -qq
apt-get install -y -qq /tmp/zove.deb >/tmp/apt.log 2>&1 || { tail -n 30 /tmp/apt.log; exit 1; }
echo "apt install ./zove.deb: $((SECONDS - t)) s"
dpkg -s zove | sed -n 's/^\(Installed-Size\|Depends\|Recommends\): /  \1: /p'
# Only to drive and look at the window; the package itself does not need them.
apt-get install -y -qq --no-install-recommends xvfb xauth x11-utils x11-apps >/tmp/apt-x.log 2>&1 ||
    { tail -n 30 /tmp/apt-x.log; exit 1; }
useradd -m escrivao
usuario() { runuser -u escrivao -- env -i HOME=/home/escrivao PATH=/usr/bin:/bin LANG=pt_BR.UTF-8 "$@"; }

echo "== zove --verificar =="
usuario zove --verificar
[ -f /home/escrivao/.local/share/ZOVE/Dados/ZOV ] || falha "a pasta de dados do usuário não foi criada"
if [ -f /tmp/lote.txt ]; then
    echo "== zove --importar, zove --pdf =="
    usuario zove --importar /tmp/lote.txt
    usuario zove --pdf 1 /home/escrivao/documento1.pdf
    [ "$(head -c 5 /home/escrivao/documento1.pdf)" = "%PDF-" ] || falha "--pdf não gravou um PDF"
    cp /home/escrivao/documento1.pdf /tmp/documento1.pdf
fi

echo "== a janela, pelo comando da entrada de menu, sob xvfb-run =="
comando="$(sed -n 's/^Exec=//p' /usr/share/applications/br.gov.ostral.pyx.Zove.desktop)"
cat >/tmp/janela.sh <<JANELA
#!/bin/bash
$comando &
pid=\$!
sleep 8
kill -0 \$pid || { echo "o programa terminou antes de 8 s"; exit 1; }
xwininfo -root -tree | grep -i 'ZOVE' || { echo "nenhuma janela do ZOVE"; kill \$pid; exit 1; }
xwd -root -silent >/tmp/tela.xwd
kill \$pid
wait \$pid || true
JANELA
chmod 755 /tmp/janela.sh
usuario timeout 60 xvfb-run -a -s "-screen 0 1280x900x24" /tmp/janela.sh
cp /tmp/tela.xwd /tmp/tela-final.xwd 2>/dev/null || true
echo "OK dentro da raiz limpa"
DENTRO
chmod 755 "$RAIZ_LIMPA/tmp/dentro.sh"

echo "== instalação e execução na raiz limpa =="
# Private mount and process namespaces: /proc, /dev/pts and /dev/shm go away with the last process.
unshare --mount --pid --fork --propagation private bash -c '
    set -e
    r="$1"
    mount -t proc proc "$r/proc"
    mount -t devpts -o newinstance,ptmxmode=0666 devpts "$r/dev/pts"
    mount -t tmpfs tmpfs "$r/dev/shm"
    chroot "$r" /tmp/dentro.sh
' _ "$RAIZ_LIMPA"

if [ "${ZOVE_MANTER_RAIZ:-0}" = 1 ] && command -v convert >/dev/null 2>&1; then
    convert "xwd:$RAIZ_LIMPA/tmp/tela.xwd" "$TEMP/tela.png" 2>/dev/null && echo "Tela: $TEMP/tela.png"
fi
echo "Pacote $(basename "${DEB[0]}") ($(du -h "${DEB[0]}" | cut -f1)) instalado e verificado numa raiz limpa em $((SECONDS - inicio)) s."
