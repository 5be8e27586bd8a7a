#!/usr/bin/env bash
# The command line as a player and an attacker meet it, without a display.
# --export-pdf never puts a PDF in place of a character or of another file
# that is not a PDF: it refuses with exit 2, says why on stderr and writes
# nothing. File names after "--" never reach the toolkit as its options,
# whatever they look like. Several files given to the editor open the first,
# with one line on stderr naming the rest.
KESTRIX_EXE=$1
source "$(dirname "$0")/lib.sh"
here=$(cd "$(dirname "$0")" && pwd)

command -v pdfinfo >/dev/null || fail "pdfinfo missing: run scripts/install-deps.sh"

kestrix() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR LC_ALL=C.UTF-8 \
        "$KESTRIX_EXE" "$@"
}
pages() { pdfinfo "$1" 2>/dev/null | sed -n 's/^Pages: *//p'; }
# Every name, kind, link target and content in the folder.
snapshot() {
    find . -printf '%p %y %s %l\n' | sort
    find . -type f -print0 | sort -z | xargs -0 sha256sum
}

mkdir "$E2E_WORK/grupo"
cd "$E2E_WORK/grupo"
python3 "$here/make_character.py" alda.QsZ --name "Alda"
python3 "$here/make_character.py" bruno.QsZ --name "Bruno"
kestrix --export-pdf velho.pdf alda.QsZ 2>setup.err || fail "no PDF to start with: $(cat setup.err)"
ln -s alda.QsZ ligada.pdf
ln alda.QsZ dura.pdf
echo "notas da campanha" >notas.txt
rm setup.err

# Each row: the arguments after --export-pdf, and what stderr must start a
# line with. Every row would have written a PDF over the file it names.
refusals=(
    "alda.QsZ bruno.QsZ|alda.QsZ: "          # kestrix --export-pdf *.QsZ: the name forgotten
    "alda.QsZ alda.QsZ|alda.QsZ: "
    "NOVO.qsz alda.QsZ|NOVO.qsz: "            # a character's name in any case, even a new one
    "ligada.pdf alda.QsZ|ligada.pdf: "        # a link to the character read
    "dura.pdf bruno.QsZ alda.QsZ|dura.pdf: "  # another name of the same file
    "velho.pdf alda.QsZ velho.pdf|velho.pdf: " # a PDF that is also read as a character
    "notas.txt alda.QsZ|notas.txt: "          # a file that is not a PDF
    "-- alda.QsZ|Usage: "                     # an option is no name
)
before=$(snapshot)
for row in "${refusals[@]}"; do
    arguments=${row%%|*}
    expected=${row#*|}
    status=0
    # shellcheck disable=SC2086 # the rows are word lists
    kestrix --export-pdf $arguments >refused.out 2>"$E2E_WORK/refused.err" || status=$?
    rm -f refused.out
    [ $status -eq 2 ] || fail "'--export-pdf $arguments' exited $status, not 2"
    grep -q -F -- "$expected" "$E2E_WORK/refused.err" ||
        fail "'--export-pdf $arguments' did not say why: $(cat "$E2E_WORK/refused.err")"
    [ "$(snapshot)" = "$before" ] || fail "'--export-pdf $arguments' changed the folder"
done

# What may be replaced is: an earlier PDF, an empty file, a name that only
# starts with a dash when written as a path.
: >vazio.pdf
for output in velho.pdf vazio.pdf ./-x.pdf; do
    kestrix --export-pdf "$output" alda.QsZ bruno.QsZ 2>"$E2E_WORK/written.err" ||
        fail "'--export-pdf $output' failed: $(cat "$E2E_WORK/written.err")"
    [ "$(pages "$output")" = 2 ] || fail "$output has $(pages "$output") pages"
done

# Characters named like the toolkit's options, the ones it takes before
# "--" and the ones that load code or read files: each is a character.
for name in -platform -display -session -geometry -qwindowgeometry -qwindowtitle -title \
    -platformpluginpath --platformpluginpath -plugin -platformtheme -style -stylesheet \
    -qwindowicon -reverse; do
    cp alda.QsZ "./$name"
    rm -f partido.pdf
    status=0
    kestrix --export-pdf partido.pdf -- "$name" bruno.QsZ 2>"$E2E_WORK/named.err" || status=$?
    [ $status -eq 0 ] || fail "'-- $name bruno.QsZ' exited $status: $(cat "$E2E_WORK/named.err")"
    [ "$(pages partido.pdf)" = 2 ] || fail "'-- $name bruno.QsZ' wrote $(pages partido.pdf) pages"
done

# A file manager passing three files: the first opens (it becomes the
# first recent character), and one line names the two left out.
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 \
    "$KESTRIX_EXE" alda.QsZ bruno.QsZ notas.txt >"$E2E_WORK/window.out" 2>"$E2E_WORK/window.err" &
window_pid=$!
E2E_PIDS+=("$window_pid")
settings="$XDG_CONFIG_HOME/kestrix/kestrix.conf"
for _ in $(seq 1 300); do
    grep -q "alda.QsZ" "$settings" 2>/dev/null && break
    kill -0 "$window_pid" 2>/dev/null || break
    sleep 0.1
done
grep -q "/grupo/alda.QsZ" "$settings" 2>/dev/null ||
    fail "the first file was not opened: $(cat "$E2E_WORK/window.err")"
! grep -q "bruno.QsZ" "$settings" || fail "a second file was opened"
kill -0 "$window_pid" 2>/dev/null || fail "the editor did not stay open"
stop_started "$window_pid"
notices=$(grep "^kestrix: " "$E2E_WORK/window.err" || true)
[ "$(wc -l <<<"$notices")" -eq 1 ] && grep -q "not opened: bruno.QsZ, notas.txt$" <<<"$notices" ||
    fail "no single line naming the files not opened: $(cat "$E2E_WORK/window.err")"
echo "command line: ok"
