#!/usr/bin/env bash
# A user opens a character from the command line, double-clicks the first
# entry of the advantage catalogue, keeps its name, types a cost of their own
# over the offered one, confirms with Enter and saves with Ctrl+S: the item
# line must be the next advantage of the file. Then a second double-click, Esc, and a
# double-click that removes an acquired line: the window must answer again.
KESTRIX_EXE=$1
source "$(dirname "$0")/lib.sh"
here=$(cd "$(dirname "$0")" && pwd)
catalogue="$(dirname "$KESTRIX_EXE")/vantagem.lib"
[ -f "$catalogue" ] || fail "no advantage catalogue beside the editor: $catalogue"

# The first catalogue entry's name, read as the editor reads it, and the item
# line that acquiring it at a typed cost of 4 makes (cut to the file's slot).
expected=$(python3 - "$catalogue" <<'PY'
import re, sys
text = open(sys.argv[1], "rb").read().split(b"\x1a")[0]
name = re.split(rb"\r\n?", text)[0]
print((b"4 " + name)[:40].hex())
PY
)

start_x
python3 "$here/make_character.py" "$E2E_WORK/heroi.QsZ"

cd "$E2E_WORK"
open_main_window heroi.QsZ
main=$MAIN_WINDOW
top=$MENU_TOP

# The first line of the advantage catalogue, ls_Vant at (6, 205).
double_click_first_advantage() {
    xdotool mousemove --window "$main" 46 $((top + 214)) click --repeat 2 --delay 80 1
    sleep 0.3
}

double_click_first_advantage
wait_window "Adicionar Vantagem" >/dev/null || fail "the double-click did not open the add dialog"
press Tab # to the cost, selecting what it offers
type_text "4"
press Return
window_gone "Adicionar Vantagem" || fail "Enter did not close the add dialog"
press ctrl+s
sleep 0.5

python3 - "$E2E_WORK/heroi.QsZ" "$expected" <<'PY' || fail "the acquired advantage was not saved"
import struct, sys
r = open(sys.argv[1], "rb").read()
expected = bytes.fromhex(sys.argv[2])
last = struct.unpack_from("<i", r, 364)[0]
assert last == 2, f"advantage last index {last}"
slot = r[376 + 41 * 2:376 + 41 * 3]
assert slot[1:1 + slot[0]] == expected, (slot[1:1 + slot[0]], expected)
PY

# Esc cancels; the window is usable again: a double-click on the first
# acquired line (ls_vant_adq at 205, 205) removes it.
double_click_first_advantage
wait_window "Adicionar Vantagem" >/dev/null || fail "the add dialog did not open a second time"
press Escape
window_gone "Adicionar Vantagem" || fail "Esc did not close the add dialog"
xdotool mousemove --window "$main" 245 $((top + 214)) click --repeat 2 --delay 80 1
sleep 0.3
press ctrl+s
sleep 0.5
python3 - "$E2E_WORK/heroi.QsZ" <<'PY' || fail "the window did not answer after Esc"
import struct, sys
r = open(sys.argv[1], "rb").read()
assert struct.unpack_from("<i", r, 364)[0] == 1, "the first advantage was not removed"
assert r[377:377 + r[376]] == "1 Perícia : Esportes".encode("cp1252"), r[376:417]
PY
echo "acquire an advantage: ok"
