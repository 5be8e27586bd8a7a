#!/usr/bin/env bash
# A game master adds an advantage in "Catálogos" and saves: the catalogue
# goes to the user's data folder ($XDG_DATA_HOME/kestrix), and the next start
# of the editor offers it, checked by exporting what the editor shows.
KESTRIX_EXE=$1
source "$(dirname "$0")/lib.sh"

saved="$XDG_DATA_HOME/kestrix/vantagem.lib"
exported="$E2E_WORK/exportado.lib"

# Arquivo (the menu bar's first title), then Ca&tálogos.
open_catalogues() {
    click_at "$MAIN_WINDOW" 20 8
    press t
    EDITOR_WINDOW=$(wait_window "Cat.*logos") || fail "Arquivo > Catálogos did not open the editor"
    xdotool windowfocus --sync "$EDITOR_WINDOW"
    sleep 0.3
}

start_x
cd "$E2E_WORK"
open_main_window
open_catalogues
# The editor's buttons, by their places in its layout.
click_button() {
    click_at "$EDITOR_WINDOW" "$1" "$2"
}
click_button 393 42 # Adicionar: a new row after the first, its name being edited
type_text "Zebra Alada"
press Tab
type_text "7"
press Return
click_button 56 341 # Salvar
sleep 0.5
[ -f "$saved" ] || fail "Salvar wrote nothing to $saved"
python3 - "$saved" "$(dirname "$KESTRIX_EXE")/vantagem.lib" <<'PY' || fail "the saved catalogue is wrong"
import sys
saved = open(sys.argv[1], "rb").read()
shipped = open(sys.argv[2], "rb").read()
first = shipped.split(b"\r\n")[:2]
assert saved.startswith(b"\r\n".join(first) + b"\r\nZebra Alada\r\n7\r\n"), saved[:80]
assert saved[len(b"\r\n".join(first)) + len(b"\r\nZebra Alada\r\n7\r\n"):] == \
    shipped[len(b"\r\n".join(first)) + 2:], "the other entries changed"
PY
click_button 393 341 # Fechar
window_gone "Cat.*logos" || fail "Fechar did not close the editor"
xdotool windowfocus --sync "$MAIN_WINDOW"
press ctrl+r
for _ in $(seq 1 50); do
    kill -0 "$EDITOR_PID" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$EDITOR_PID" 2>/dev/null && fail "Sair did not end the program"

# The next start offers the user's catalogue.
open_main_window
open_catalogues
click_button 393 234 # Exportar ...
dialog=$(wait_window "Exportar cat.*logo") || fail "Exportar did not ask for a file"
xdotool windowfocus --sync "$dialog"
sleep 0.3
press ctrl+a
type_text "$exported"
press Return
for _ in $(seq 1 50); do
    [ -f "$exported" ] && break
    sleep 0.1
done
cmp -s "$saved" "$exported" || fail "the next start did not offer the saved catalogue"
echo "catalogue saved to the user's folder and offered at the next start: ok"
