#!/usr/bin/env bash
# A user acquires an advantage but clears its cost and presses OK: the notice
# asks for a value. Closing it must hand the keyboard back to the cost, so
# that what the user types next is the cost of the saved line, wherever the
# focus was: on the cost (OK by Enter) or on the OK button (OK by a click,
# which the window manager would give the focus back to).
KESTRIX_EXE=$1
source "$(dirname "$0")/lib.sh"
here=$(cd "$(dirname "$0")" && pwd)
catalogue="$(dirname "$KESTRIX_EXE")/vantagem.lib"
[ -f "$catalogue" ] || fail "no advantage catalogue beside the editor: $catalogue"

# The item lines acquiring the first catalogue entry at typed costs of 6, 7
# and 8 make (cut to the file's slot).
expected=$(python3 - "$catalogue" <<'PY'
import re, sys
text = open(sys.argv[1], "rb").read().split(b"\x1a")[0]
name = re.split(rb"\r\n?", text)[0]
print(*((cost + b" " + name)[:40].hex() for cost in (b"6", b"7", b"8")))
PY
)

start_x
python3 "$here/make_character.py" "$E2E_WORK/heroi.QsZ"

cd "$E2E_WORK"
open_main_window heroi.QsZ
main=$MAIN_WINDOW
top=$MENU_TOP

# Opens the add dialog on the first advantage (ls_Vant at 6, 205), empties
# its cost and presses OK, with Enter or with a click ($1); prints the
# notice's window id.
ask_without_cost() {
    local dialog
    xdotool mousemove --window "$main" 46 $((top + 214)) click --repeat 2 --delay 80 1
    sleep 0.3
    dialog=$(wait_window "Adicionar Vantagem") || fail "the double-click did not open the add dialog"
    press Tab # to the cost, selecting what it offers
    press BackSpace
    if [ "$1" = click ]; then
        click_at "$dialog" 57 100 # cm_OK at (9, 88), 96 x 25
    else
        press Return
    fi
    wait_window "Aten.*o" || fail "OK without a cost did not show the notice"
}

# Each way of pressing OK in the dialog and in the notice, and the cost typed
# after it.
ways=("Return Return 6" "click click 7" "click Return 8")
for way in "${ways[@]}"; do
    read -r dialog_ok notice_ok cost <<<"$way"
    notice=$(ask_without_cost "$dialog_ok")
    if [ "$notice_ok" = click ]; then
        click_at "$notice" 130 43 # OK at (93, 31), 75 x 25
    else
        press Return
    fi
    window_gone "Aten.*o" || fail "$notice_ok did not close the notice"
    type_text "$cost"
    press Return
    window_gone "Adicionar Vantagem" ||
        fail "after OK by $dialog_ok and $notice_ok, the typed cost did not reach the cost field"
done

press ctrl+s
sleep 0.5
python3 - "$E2E_WORK/heroi.QsZ" $expected <<'PY' || fail "the typed costs were not saved as typed"
import struct, sys
r = open(sys.argv[1], "rb").read()
last = struct.unpack_from("<i", r, 364)[0]
assert last == 4, f"advantage last index {last}"
for slot_index, expected in zip((2, 3, 4), sys.argv[2:]):
    slot = r[376 + 41 * slot_index:376 + 41 * (slot_index + 1)]
    assert slot[1:1 + slot[0]] == bytes.fromhex(expected), (slot[1:1 + slot[0]], expected)
PY
echo "the keyboard returns to the cost after the value-required notice: ok"
