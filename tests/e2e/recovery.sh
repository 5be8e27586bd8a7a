#!/usr/bin/env bash
# Unsaved work survives a killed editor: the recovery copy is written while
# the user types, offered at the next start and restored or thrown away as
# answered; clean exits and saves leave nothing to offer; a running editor's
# copy is left alone. And a file another program replaced is neither
# overwritten nor left stale without a question.
KESTRIX_EXE=$1
source "$(dirname "$0")/lib.sh"
here=$(cd "$(dirname "$0")" && pwd)
command -v tesseract >/dev/null || { echo "tesseract missing: run scripts/install-deps.sh"; exit 1; }

MAIN_TITLE="Kestrix for Windows 95"
# The question box: the same words, one letter's case apart, which xdotool's
# search does not tell apart.
QUESTION_TITLE="Kestrix For Windows 95"
PROMPT_TITLE="Vellmarin for Windows 95"
STATE="$XDG_STATE_HOME/kestrix"
NAME="Herói de Teste" # make_character.py's

# ---- windows ----------------------------------------------------------------

# Prints the visible windows of process $1 titled exactly $2.
exact_windows() {
    local pid=$1 title=$2 id
    for id in $(xdotool search --all --onlyvisible --pid "$pid" --name "^${title}\$" 2>/dev/null); do
        [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$title" ] && echo "$id"
    done
    return 0
}

# Waits up to $3 tenths of a second (default 100) for such a window; prints
# its id.
wait_exact() {
    local pid=$1 title=$2 tries=${3:-100} id
    for _ in $(seq 1 "$tries"); do
        id=$(exact_windows "$pid" "$title" | tail -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

gone_exact() {
    local pid=$1 title=$2
    for _ in $(seq 1 50); do
        [ -z "$(exact_windows "$pid" "$title")" ] && return 0
        sleep 0.1
    done
    return 1
}

# Writes what a box says, read off the screen enlarged $3 times, to $2.
read_box() {
    local window=$1 output=$2 scale=${3:-2}
    grab_window "$window" "$E2E_WORK/box.png" "$scale"
    tesseract -l por --psm 6 "$E2E_WORK/box.png" "$output" >/dev/null 2>&1
    mv "$output.txt" "$output"
}

# Fails unless the box $1 says $2, as far as OCR can tell: the whole text
# nearly letter for letter, and each further argument exactly, in letters
# and digits ("a|b" accepts either). OCR misreads a few letters and marks
# of a path or a date, not the same ones at each size: the box is read at
# up to three sizes, and each part needs to be read right at one of them.
expect_box_text() {
    local window=$1 expected=$2 scale readings=()
    shift 2
    sleep 0.3 # painted
    for scale in 2 3 4; do
        read_box "$window" "$E2E_WORK/box-$scale.txt" "$scale"
        readings+=("$E2E_WORK/box-$scale.txt")
        python3 - "$expected" "${#readings[@]}" "${readings[@]}" "$@" <<'PY' && return 0
import difflib, sys, unicodedata
def plain(text):
    text = unicodedata.normalize("NFKD", text)
    return "".join(c for c in text if c.isalnum() and c.isascii()).lower()
expected = plain(sys.argv[1])
count = int(sys.argv[2])
seen = [plain(open(path, encoding="utf-8").read()) for path in sys.argv[3:3 + count]]
parts = sys.argv[3 + count:]
likeness = max(difflib.SequenceMatcher(None, text, expected).ratio() for text in seen)
missing = [part for part in parts
           if not any(plain(choice) in text for choice in part.split("|") for text in seen)]
sys.exit(0 if likeness >= 0.85 and not missing else 1)
PY
    done
    for reading in "${readings[@]}"; do
        echo "read: $(tr '\n' ' ' <"$reading")" >&2
    done
    fail "the box does not say: $expected"
}

# Raises a window and gives it the keyboard through the window manager:
# with two editors up, focus alone may go back to the other one.
bring_up() {
    xdotool windowactivate --sync "$1" 2>/dev/null || true
    xdotool windowfocus --sync "$1"
    sleep 0.2
}

# Starts the editor with the given arguments and waits for its main window;
# sets EDITOR_PID, MAIN_WINDOW and MENU_TOP.
open_editor() {
    start_editor "$@"
    MAIN_WINDOW=$(wait_exact "$EDITOR_PID" "$MAIN_TITLE") ||
        { cat "$E2E_WORK/editor.log" >&2; fail "the main window did not open (arguments: $*)"; }
    # Not activated: a question over it would keep it from being active.
    xdotool windowfocus --sync "$MAIN_WINDOW"
    sleep 0.3
    MENU_TOP=$(menu_height "$MAIN_WINDOW")
}

# Waits for a question box of editor $1 and gives it the keyboard; prints
# its id.
wait_question() {
    local id
    id=$(wait_exact "$1" "$QUESTION_TITLE") || return 1
    xdotool windowfocus --sync "$id"
    sleep 0.2
    echo "$id"
}

# Fails when editor $1 shows a box of the application's title within 1.5 s:
# the question comes as soon as the main window is shown.
expect_no_question() {
    local pid=$1 why=$2 id
    if id=$(wait_exact "$pid" "$QUESTION_TITLE" 15); then
        sleep 0.3
        read_box "$id" "$E2E_WORK/unexpected.txt"
        fail "$why, the editor asked: $(tr '\n' ' ' <"$E2E_WORK/unexpected.txt")"
    fi
}

# Força, at (144, 60) of the client area; replaces its last character
# with $1.
edit_forca() {
    click_at "$MAIN_WINDOW" 160 $((MENU_TOP + 70))
    press End BackSpace
    type_text "$1"
}

# The editor's name field, at (48, 4) of the client area; appends $1.
append_to_name() {
    click_at "$MAIN_WINDOW" 200 $((MENU_TOP + 12))
    press End
    type_text "$1"
}

process_ended() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null || true)
    [ -z "$state" ] || [[ "$state" == Z* ]]
}

# Waits for editor $1 to end by itself, then forgets it.
wait_ended() {
    local pid=$1 why=$2
    for _ in $(seq 1 50); do
        process_ended "$pid" && { stop_started "$pid"; return 0; }
        sleep 0.1
    done
    fail "$why: the editor did not end"
}

# Sair on an editor with nothing unsaved: it ends without a prompt.
quit_clean() {
    local pid=$1 main=$2
    bring_up "$main"
    press ctrl+r
    wait_ended "$pid" "Sair with nothing unsaved"
}

# Sair on an editor with unsaved changes, answering Não at the prompt.
quit_discarding() {
    local pid=$1 main=$2
    bring_up "$main"
    press ctrl+r
    wait_exact "$pid" "$PROMPT_TITLE" >/dev/null || fail "Sair with unsaved changes did not ask to save"
    press alt+n
    wait_ended "$pid" "Não at the save prompt"
}

crash() {
    kill -KILL "$1"
    stop_started "$1"
}

# ---- files ------------------------------------------------------------------

copies() {
    [ -d "$STATE" ] || return 0
    find "$STATE" -maxdepth 1 -name '*.recovery' 2>/dev/null | sort
}

# Waits up to 5 s for $2 recovery copies (default 1), one of them holding
# the name $1 (the copy follows the last edit within a second); prints its
# path.
wait_copy_with_name() {
    local name=$1 count=${2:-1} copy found
    for _ in $(seq 1 50); do
        mapfile -t found < <(copies)
        if [ ${#found[@]} = "$count" ] && copy=$(python3 - "$name" "${found[@]}" <<'PY'
import sys
# The name as the record holds it: its length, then its bytes.
name = sys.argv[1].encode("cp1252")
held = [path for path in sys.argv[2:] if bytes([len(name)]) + name in open(path, "rb").read()]
print(*held)
sys.exit(0 if len(held) == 1 else 1)
PY
        ); then
            echo "$copy"
            return 0
        fi
        sleep 0.1
    done
    fail "no recovery copy holding '$name' among $count in $STATE within 5 s (found: $(copies | tr '\n' ' '))"
}

wait_no_copy() {
    local why=$1
    for _ in $(seq 1 50); do
        [ -z "$(copies)" ] && return 0
        sleep 0.1
    done
    fail "$why, a recovery copy is left: $(copies | tr '\n' ' ')"
}

# Identity and contents of a file: inode and checksum.
fingerprint() {
    echo "$(stat -c %i "$1") $(sha256sum <"$1")"
}

# The character's name, from the record.
record_name() {
    python3 -c 'import sys; r = open(sys.argv[1], "rb").read(); print(r[257:257 + r[256]].decode("cp1252"))' "$1"
}

record_forca() {
    python3 -c 'import sys; r = open(sys.argv[1], "rb").read(); print(r[298:298 + r[297]].decode("cp1252"))' "$1"
}

# Waits up to 5 s for the character file $1 to hold the name $2.
wait_saved_name() {
    for _ in $(seq 1 50); do
        [ "$(record_name "$1")" = "$2" ] && return 0
        sleep 0.1
    done
    fail "$1 holds the name '$(record_name "$1")', not '$2'"
}

# The question's date and time, from the copy's modification time; a copy
# written just across a minute's turn may carry the minute before.
copy_times() {
    python3 -c '
import os, sys, time
written = os.stat(sys.argv[1]).st_mtime
print("|".join(sorted({time.strftime("%d/%m/%Y %H:%M", time.localtime(written - d)) for d in (0, 2)})))' "$1"
}

# The recovery question for the character named $1 of file $2 and the copy
# $3, as expect_box_text's arguments.
recovery_question() {
    local name=$1 file=$2 copy=$3 times
    times=$(copy_times "$copy")
    echo "Há alterações não salvas de $name ($file, ${times%%|*}) que não chegaram a ser salvas. Recuperar?"
    echo "$name"
    basename "$(dirname "$file")"
    basename "$file"
    echo "$times"
    echo "Recuperar?"
}

expect_recovery_question() {
    local window=$1 lines
    mapfile -t lines < <(recovery_question "$2" "$3" "$4")
    expect_box_text "$window" "${lines[@]}"
}

# Answers Sim (Enter) in editor $1's recovery question, then saves with Ctrl+S.
recover_and_save() {
    press Return
    gone_exact "$1" "$QUESTION_TITLE" || fail "Enter did not answer the recovery question"
    xdotool windowfocus --sync "$MAIN_WINDOW"
    press ctrl+s
}

# A character file of its own folder, with a copy of its bytes beside the
# folder; prints its path.
new_character() {
    local folder="$E2E_WORK/$1"
    mkdir -p "$folder"
    python3 "$here/make_character.py" "$folder/heroi.QsZ"
    cp "$folder/heroi.QsZ" "$E2E_WORK/$1-original.QsZ"
    echo "$folder/heroi.QsZ"
}

# Another program replacing the file as safe savers do: a new file renamed
# over it, holding the name $2.
replace_from_outside() {
    python3 - "$here" "$1" "$2" <<'PY'
import os, sys
sys.path.insert(0, sys.argv[1])
from make_character import DEFAULT_VALUES, write_character
path, name = sys.argv[2], sys.argv[3]
write_character(path + ".tmp", "modelo.bmp", name, DEFAULT_VALUES,
                ["2 Aceleração"], ["-1 Código de Honra"], ["Escrito por outro programa"])
os.replace(path + ".tmp", path)
PY
}

expect_state_empty() {
    [ -z "$(copies)" ] || fail "before $1, recovery copies were left: $(copies | tr '\n' ' ')"
}

# ---- the cases --------------------------------------------------------------

# Typed, killed, started again with no file: Sim restores the typed name and
# Salvar writes it to the original file.
sim_restores_after_a_crash() {
    expect_state_empty "the crash and Sim"
    local file copy pid question changed
    file=$(new_character restaurado)
    open_editor "$file"
    append_to_name " Jaci"
    copy=$(wait_copy_with_name "$NAME Jaci")
    [ "$(stat -c %a "$STATE")" = 700 ] || fail "$STATE has mode $(stat -c %a "$STATE"), not 700"
    [ "$(stat -c %a "$copy")" = 600 ] || fail "$copy has mode $(stat -c %a "$copy"), not 600"
    [ "$(ls -A "$E2E_WORK/restaurado")" = heroi.QsZ ] ||
        fail "the character's folder holds more than the character: $(ls -A "$E2E_WORK/restaurado" | tr '\n' ' ')"
    cmp -s "$file" "$E2E_WORK/restaurado-original.QsZ" || fail "the recovery copy changed the character file"
    crash "$EDITOR_PID"

    open_editor
    pid=$EDITOR_PID
    question=$(wait_question "$pid") || fail "a start after the crash did not offer the recovery copy"
    expect_recovery_question "$question" "$NAME Jaci" "$file" "$copy"
    recover_and_save "$pid"
    wait_saved_name "$file" "$NAME Jaci"
    changed=$(python3 "$here/compare_records.py" "$E2E_WORK/restaurado-original.QsZ" "$file")
    [ "$changed" = $'file name\nname' ] || fail "the restored save changed more than the name: $changed"
    wait_no_copy "after the restored character was saved"
    quit_clean "$pid" "$MAIN_WINDOW"
    echo "a killed editor's typing is offered back, and Sim and Salvar write it: ok"
}

# A character never saved is offered as one without a file, and Salvar
# asks where to write it.
untitled_copy_is_offered() {
    expect_state_empty "the character never saved"
    local copy pid question dialog
    open_editor
    click_at "$MAIN_WINDOW" 200 $((MENU_TOP + 12))
    press Home shift+End
    type_text "Zeca"
    copy=$(wait_copy_with_name "Zeca")
    crash "$EDITOR_PID"

    open_editor
    pid=$EDITOR_PID
    question=$(wait_question "$pid") || fail "a character never saved was not offered back"
    expect_box_text "$question" \
        "Há alterações não salvas de Zeca (sem arquivo, $(copy_times "$copy" | cut -d'|' -f1)) que não chegaram a ser salvas. Recuperar?" \
        "Zeca(sem arquivo" "$(copy_times "$copy")"
    recover_and_save "$pid"
    dialog=$(wait_exact "$pid" "Salvar Arquivo ...") || fail "Salvar of a restored new character did not ask for a file"
    xdotool windowfocus --sync "$dialog"
    press Escape
    gone_exact "$pid" "Salvar Arquivo ..." || fail "Esc did not close the save dialog"
    quit_discarding "$pid" "$MAIN_WINDOW"
    wait_no_copy "after Não at the save prompt"
    echo "a character never saved is offered back without a file: ok"
}

# Esc keeps the copy for later; Não throws it away, and nothing is asked
# again.
nao_discards_and_esc_keeps() {
    expect_state_empty "Esc and Não"
    local file copy before pid
    file=$(new_character nao)
    open_editor "$file"
    append_to_name " Bia"
    copy=$(wait_copy_with_name "$NAME Bia")
    crash "$EDITOR_PID"
    before=$(fingerprint "$copy")

    open_editor
    pid=$EDITOR_PID
    wait_question "$pid" >/dev/null || fail "a start after the crash did not offer the recovery copy"
    press Escape
    gone_exact "$pid" "$QUESTION_TITLE" || fail "Esc did not close the recovery question"
    # Nothing was restored, so nothing is unsaved: Sair asks nothing.
    quit_clean "$pid" "$MAIN_WINDOW"
    [ -f "$copy" ] && [ "$(fingerprint "$copy")" = "$before" ] ||
        fail "Esc at the recovery question, then Sair, did not keep the copy as it was"

    open_editor
    pid=$EDITOR_PID
    wait_question "$pid" >/dev/null || fail "the copy kept by Esc was not offered again"
    press alt+n
    gone_exact "$pid" "$QUESTION_TITLE" || fail "Não did not close the recovery question"
    wait_no_copy "after Não at the recovery question"
    cmp -s "$file" "$E2E_WORK/nao-original.QsZ" || fail "Não at the recovery question changed the file"
    quit_clean "$pid" "$MAIN_WINDOW"

    # Anything else named like a copy is not offered, and goes.
    head -c 5000 /dev/urandom >"$STATE/estranho.recovery"
    open_editor
    expect_no_question "$EDITOR_PID" "after Não had removed the only copy"
    [ ! -e "$STATE/estranho.recovery" ] || fail "a damaged copy was not removed"
    quit_clean "$EDITOR_PID" "$MAIN_WINDOW"
    echo "Esc keeps the recovery copy, Não removes it: ok"
}

# Sair answered Não, and Salvar, each leave nothing to offer.
clean_exits_leave_nothing() {
    expect_state_empty "the clean exits"
    local file
    file=$(new_character limpo)
    open_editor "$file"
    append_to_name " Caio"
    wait_copy_with_name "$NAME Caio" >/dev/null
    quit_discarding "$EDITOR_PID" "$MAIN_WINDOW"
    wait_no_copy "after Sair and Não at the save prompt"
    cmp -s "$file" "$E2E_WORK/limpo-original.QsZ" || fail "Não at the save prompt changed the file"

    open_editor "$file"
    expect_no_question "$EDITOR_PID" "after a clean exit"
    append_to_name " Duda"
    wait_copy_with_name "$NAME Duda" >/dev/null
    press ctrl+s
    wait_saved_name "$file" "$NAME Duda"
    wait_no_copy "after Salvar"
    expect_no_question "$EDITOR_PID" "after the editor's own Salvar replaced the file"
    # Desfazer back to what was saved: nothing is unsaved any more. Once
    # more, past the save: unsaved again.
    edit_forca 7
    wait_copy_with_name "$NAME Duda" >/dev/null
    press ctrl+z
    wait_no_copy "after Desfazer went back to the saved character"
    press ctrl+z
    wait_copy_with_name "$NAME" >/dev/null
    quit_discarding "$EDITOR_PID" "$MAIN_WINDOW"
    wait_no_copy "after Salvar, Desfazer and Sair"
    [ "$(record_name "$file")" = "$NAME Duda" ] || fail "Não at the save prompt changed the saved file"
    echo "a clean exit, a save and Desfazer back to the save leave no recovery copy: ok"
}

# A second editor started while the first has unsaved work neither offers
# nor touches the first one's copy.
running_editors_copy_is_left_alone() {
    expect_state_empty "two editors"
    local file copy before first first_main second
    file=$(new_character dois)
    open_editor "$file"
    first=$EDITOR_PID
    first_main=$MAIN_WINDOW
    append_to_name " Edu"
    copy=$(wait_copy_with_name "$NAME Edu")
    before=$(fingerprint "$copy")

    open_editor
    second=$EDITOR_PID
    expect_no_question "$second" "with another editor running with unsaved work"
    [ "$(copies)" = "$copy" ] || fail "the second editor changed the copies: $(copies | tr '\n' ' ')"
    [ "$(fingerprint "$copy")" = "$before" ] || fail "the second editor touched the first one's copy"
    quit_clean "$second" "$MAIN_WINDOW"
    [ -f "$copy" ] && [ "$(fingerprint "$copy")" = "$before" ] ||
        fail "the second editor's exit touched the first one's copy"
    quit_discarding "$first" "$first_main"
    wait_no_copy "after both editors ended cleanly"
    echo "a running editor's copy is neither offered nor touched: ok"
}

# Started with another file, the editor opens it and keeps the copy. Two
# copies left behind are offered newest first, one after the other; a start
# with a copy's own file offers that one alone.
another_file_keeps_the_copy() {
    expect_state_empty "another file"
    local file other copy other_copy before pid question
    local settings="$XDG_CONFIG_HOME/kestrix/kestrix.conf"
    file=$(new_character outro)
    other="$E2E_WORK/outro/segundo.QsZ"
    python3 "$here/make_character.py" --name "Segundo Personagem" "$other"
    open_editor "$file"
    append_to_name " Fia"
    copy=$(wait_copy_with_name "$NAME Fia")
    crash "$EDITOR_PID"
    before=$(fingerprint "$copy")

    open_editor "$other"
    pid=$EDITOR_PID
    expect_no_question "$pid" "started with another file"
    # The file opened goes first in the recent characters.
    for _ in $(seq 1 50); do
        grep -q "segundo.QsZ" "$settings" 2>/dev/null && break
        sleep 0.1
    done
    grep -q "/outro/segundo.QsZ" "$settings" 2>/dev/null || fail "the file given was not opened"
    [ "$(fingerprint "$copy")" = "$before" ] || fail "a start with another file touched the copy"
    append_to_name " Gil"
    other_copy=$(wait_copy_with_name "Segundo Personagem Gil" 2)
    crash "$pid"

    open_editor
    pid=$EDITOR_PID
    question=$(wait_question "$pid") || fail "a start with two copies left behind offered none"
    expect_recovery_question "$question" "Segundo Personagem Gil" "$other" "$other_copy"
    press alt+n
    for _ in $(seq 1 50); do
        [ "$(copies)" = "$copy" ] && break
        sleep 0.1
    done
    [ "$(copies)" = "$copy" ] || fail "Não did not remove the newer copy alone: $(copies | tr '\n' ' ')"
    question=$(wait_question "$pid") || fail "after Não, the older copy was not offered"
    expect_recovery_question "$question" "$NAME Fia" "$file" "$copy"
    press Escape
    gone_exact "$pid" "$QUESTION_TITLE" || fail "Esc did not close the recovery question"
    [ "$(copies)" = "$copy" ] || fail "Esc did not keep the older copy: $(copies | tr '\n' ' ')"
    quit_clean "$pid" "$MAIN_WINDOW"

    open_editor "$file"
    pid=$EDITOR_PID
    question=$(wait_question "$pid") || fail "a start with the copy's own file did not offer it"
    expect_recovery_question "$question" "$NAME Fia" "$file" "$copy"
    recover_and_save "$pid"
    wait_saved_name "$file" "$NAME Fia"
    wait_no_copy "after the restored character was saved"
    quit_clean "$pid" "$MAIN_WINDOW"
    echo "another file opens, copies are offered newest first, and each waits for its own file: ok"
}

# A clean character follows the file another program replaced; an edited
# one asks before writing over it.
external_change() {
    expect_state_empty "the external change"
    local file pid question written
    file=$(new_character externo)
    open_editor "$file"
    pid=$EDITOR_PID
    sleep 0.5 # the file watched
    replace_from_outside "$file" "Nome Novo"
    if ! question=$(wait_exact "$pid" "$QUESTION_TITLE" 30); then
        # The check made when the window is activated.
        xdotool windowminimize --sync "$MAIN_WINDOW"
        xdotool windowactivate --sync "$MAIN_WINDOW"
        question=$(wait_exact "$pid" "$QUESTION_TITLE" 30) ||
            fail "a clean character's file replaced by another program: no question, not even on activation"
        echo "note: the reload question came only when the window was activated"
    fi
    xdotool windowfocus --sync "$question"
    expect_box_text "$question" "O arquivo heroi.QsZ foi alterado por outro programa. Recarregar?" \
        heroi.QsZ Recarregar?
    press alt+s
    gone_exact "$pid" "$QUESTION_TITLE" || fail "Sim did not answer the reload question"

    xdotool windowfocus --sync "$MAIN_WINDOW"
    edit_forca 7
    wait_copy_with_name "Nome Novo" >/dev/null
    replace_from_outside "$file" "Terceiro Nome"
    cp "$file" "$E2E_WORK/externo-written.QsZ"
    expect_no_question "$pid" "with unsaved changes, when the file was replaced"

    xdotool windowfocus --sync "$MAIN_WINDOW"
    press ctrl+s
    question=$(wait_question "$pid") || fail "Salvar wrote over another program's change without asking"
    expect_box_text "$question" \
        "O arquivo heroi.QsZ foi alterado por outro programa depois de aberto. Substituir pelo personagem desta janela?" \
        heroi.QsZ Substituir
    press Escape
    gone_exact "$pid" "$QUESTION_TITLE" || fail "Esc did not answer the overwrite question"
    sleep 0.5
    cmp -s "$file" "$E2E_WORK/externo-written.QsZ" || fail "Esc at the overwrite question still wrote the file"

    xdotool windowfocus --sync "$MAIN_WINDOW"
    press ctrl+s
    wait_question "$pid" >/dev/null || fail "the second Salvar did not ask again"
    press alt+s
    gone_exact "$pid" "$QUESTION_TITLE" || fail "Sim did not answer the overwrite question"
    wait_saved_name "$file" "Nome Novo"
    written=$(record_forca "$file")
    [ "$written" = 7 ] || fail "Sim wrote Força '$written', not the window's 7"
    wait_no_copy "after Sim wrote the file"
    quit_clean "$pid" "$MAIN_WINDOW"
    echo "another program's change is reloaded on Sim and never overwritten unasked: ok"
}

start_x
cd "$E2E_WORK"
# The cases to run, all by default: a debugging run may name some.
cases=("${@:2}")
[ ${#cases[@]} -gt 0 ] || cases=(sim_restores_after_a_crash untitled_copy_is_offered nao_discards_and_esc_keeps
    clean_exits_leave_nothing running_editors_copy_is_left_alone another_file_keeps_the_copy
    external_change)
for case in "${cases[@]}"; do
    "$case"
done
echo "recovery copies and external changes: ok"
