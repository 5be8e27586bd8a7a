#!/usr/bin/env bash
# A user opens a character from the command line, changes an attribute and
# saves with Ctrl+S; then types only in the observations and chooses Exit:
# the save prompt must appear, and Esc must keep the program running.
KESTRIX_EXE=$1
source "$(dirname "$0")/lib.sh"
here=$(cd "$(dirname "$0")" && pwd)

start_x
python3 "$here/make_character.py" "$E2E_WORK/heroi.QsZ"
cp "$E2E_WORK/heroi.QsZ" "$E2E_WORK/original.QsZ"

cd "$E2E_WORK"
open_main_window heroi.QsZ
main=$MAIN_WINDOW
top=$MENU_TOP

# Força: the edit at (144, 60) of the client area.
click_at "$main" 160 $((top + 70))
press End BackSpace
type_text "7"
press ctrl+s
sleep 0.5

changed=$(python3 "$here/compare_records.py" "$E2E_WORK/original.QsZ" "$E2E_WORK/heroi.QsZ")
[ "$changed" = $'file name\nforca' ] || fail "expected only the file name and forca to change, got: $changed"
python3 - "$E2E_WORK/heroi.QsZ" <<'PY' || fail "the saved fields are wrong"
import sys
r = open(sys.argv[1], "rb").read()
assert r[297:299] == b"\x017", r[297:303]
name = r[1:1 + r[0]].decode("cp1252")
assert name.endswith("/heroi.QsZ"), name
assert r[376 + 82:376 + 82 + 17] == b"\x103 Sobra de antes", "leftover slot lost"
assert r[363] == 0x5A, "reserved byte lost"
PY

# Observations memo at (368 + 12, 208 + 114) of the client area.
click_at "$main" 420 $((top + 340))
type_text " nota"
press ctrl+r
prompt=$(wait_window "Vellmarin for Windows 95") || fail "Exit did not ask to save the observations"
press Escape
window_gone "Vellmarin for Windows 95" || fail "Esc did not close the prompt"
sleep 0.3
kill -0 "$EDITOR_PID" 2>/dev/null || fail "Esc in the exit prompt ended the program"
echo "edit, save and exit prompt: ok"
