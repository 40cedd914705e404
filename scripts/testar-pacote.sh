#!/usr/bin/env bash
# Builds the Debian package from a build folder and runs the installed program as an ordinary user would:
# the package is extracted (dpkg-deb -x) into a read-only temporary root, and its zove runs as "nobody"
# with a fresh HOME. Checks that the user's data folder is made and used, that nothing under the
# extracted tree changes, that a saved document is still there at the next start, and that a reference
# table a newer package brings replaces the user's copy (kept dated) while ZOV stays.
# Usage: testar-pacote.sh [BUILD_DIR]   (default build/, as CI leaves it after scripts/testar.sh)
set -euo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$(cd "${1:-$RAIZ/build}" && pwd)"
inicio=$SECONDS

TEMP="$(mktemp -d /tmp/zove-pacote.XXXXXX)"
trap 'chmod -R u+w "$TEMP" 2>/dev/null; rm -rf "$TEMP"' EXIT
chmod 755 "$TEMP"

ZOVE_PACOTE_SAIDA="$TEMP" bash "$RAIZ/scripts/empacotar.sh" "$BUILD"
DEB=("$TEMP"/zove_*.deb)

falha() {
    echo "testar-pacote: FALHOU: $*" >&2
    exit 1
}

INST="$TEMP/raiz"
dpkg-deb -x "${DEB[0]}" "$INST"
chmod -R a-w "$INST"
CASA="$TEMP/casa"
mkdir -p "$CASA/run"
chmod 700 "$CASA/run"
chown -R nobody:nogroup "$CASA"
DADOS="$CASA/.local/share/ZOVE/Dados"

# The extracted tree as a listing of every entry (mode, owner, path) and every file's digest.
listagem() {
    (cd "$INST" && find . -printf '%M %u %g %p\n' | sort && find . -type f -exec sha256sum {} + | sort -k2)
}

# The extracted program as an unprivileged user with nothing of this shell's environment.
como_usuario() {
    setpriv --reuid=nobody --regid=nogroup --clear-groups \
        env -i HOME="$CASA" PATH=/usr/bin:/bin LANG=pt_BR.UTF-8 LC_ALL=pt_BR.UTF-8 \
        XDG_RUNTIME_DIR="$CASA/run" QT_QPA_PLATFORM=offscreen "$@"
}

contagem() { # TABLE, in the output of --verificar: its record count
    awk -v t="$1" '$1 == t { print $2 }' "$2"
}

antes="$(listagem)"

echo "== primeiro início: --verificar =="
como_usuario "$INST/usr/bin/zove" --verificar >"$TEMP/verificar1.txt" 2>"$TEMP/erros1.txt" ||
    { cat "$TEMP/verificar1.txt" "$TEMP/erros1.txt"; falha "--verificar terminou com erro"; }
cat "$TEMP/verificar1.txt" "$TEMP/erros1.txt"
[ "$(head -n1 "$TEMP/verificar1.txt")" = "Pasta de dados: $DADOS (da pasta do usuário)" ] ||
    falha "a primeira linha de --verificar não é a pasta do usuário"
for t in PARAMETROS mab_arrec ZOV CONTRIBUINTE; do
    cmp -s "$DADOS/$t" "$INST/usr/share/zove/Dados/$t" || falha "$t da pasta do usuário difere da instalada"
done
[ "$(stat -c %U "$DADOS/ZOV")" = nobody ] || falha "ZOV não é do usuário"

echo "== documentos salvos (--importar) e página em PDF (--pdf) =="
"$BUILD/bin/zove-gera-lote" "$RAIZ/dados" "$TEMP/lote.txt" 3
chmod 644 "$TEMP/lote.txt"
como_usuario "$INST/usr/bin/zove" --importar "$TEMP/lote.txt" || falha "--importar terminou com erro"
como_usuario "$INST/usr/bin/zove" --pdf 2 "$CASA/documento2.pdf" || falha "--pdf terminou com erro"
[ "$(head -c 5 "$CASA/documento2.pdf")" = "%PDF-" ] || falha "--pdf não gravou um PDF"
echo "PDF: $(stat -c %s "$CASA/documento2.pdf") bytes"

echo "== segundo início: os documentos salvos continuam =="
como_usuario "$INST/usr/bin/zove" --verificar >"$TEMP/verificar2.txt" 2>"$TEMP/erros2.txt" ||
    falha "o segundo --verificar terminou com erro"
[ "$(contagem ZOV "$TEMP/verificar2.txt")" = 3 ] || falha "ZOV não tem os 3 documentos salvos"
[ ! -s "$TEMP/erros2.txt" ] || { cat "$TEMP/erros2.txt"; falha "o segundo início avisou algo"; }

[ "$(listagem)" = "$antes" ] || falha "a árvore extraída mudou"

echo "== uma nova versão do pacote traz TAB_MUNIC atualizada =="
municipios="$INST/usr/share/zove/Dados/TAB_MUNIC"
cp "$DADOS/TAB_MUNIC" "$TEMP/TAB_MUNIC.antiga"
cp "$DADOS/ZOV" "$TEMP/ZOV.antes"
chmod u+w "$municipios"
{ grep -av '^:):)' "$TEMP/TAB_MUNIC.antiga"; printf '10999|Nova Esperan&ccedil;a do Ostral|OL|69950000\r\n'; } >"$municipios"
"$INST/usr/bin/zove-assina" "$municipios"
chmod a-w "$municipios"
antes="$(listagem)"
municipiosAntes="$(contagem TAB_MUNIC "$TEMP/verificar2.txt")"

como_usuario "$INST/usr/bin/zove" --verificar >"$TEMP/verificar3.txt" 2>"$TEMP/erros3.txt" ||
    { cat "$TEMP/verificar3.txt" "$TEMP/erros3.txt"; falha "--verificar após a atualização terminou com erro"; }
cat "$TEMP/erros3.txt"
grep -q 'Tabelas de referência atualizadas .*: TAB_MUNIC\.' "$TEMP/erros3.txt" ||
    falha "o início não disse que TAB_MUNIC foi atualizada"
[ "$(contagem TAB_MUNIC "$TEMP/verificar3.txt")" = $((municipiosAntes + 1)) ] ||
    falha "TAB_MUNIC carregada não tem o município novo"
cmp -s "$DADOS/TAB_MUNIC" "$municipios" || falha "TAB_MUNIC do usuário não é a nova"
copias=("$DADOS"/TAB_MUNIC_copia_*)
[ ${#copias[@]} -eq 1 ] && cmp -s "${copias[0]}" "$TEMP/TAB_MUNIC.antiga" ||
    falha "a TAB_MUNIC anterior não ficou como cópia datada"
cmp -s "$DADOS/ZOV" "$TEMP/ZOV.antes" || falha "ZOV mudou"
[ "$(contagem ZOV "$TEMP/verificar3.txt")" = 3 ] || falha "ZOV perdeu documentos"
[ "$(listagem)" = "$antes" ] || falha "a árvore extraída mudou"

echo "Pacote verificado em $((SECONDS - inicio)) s."
