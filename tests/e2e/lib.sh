# Shared pieces of the end-to-end tests: a private X server, the editor
# started on it, and clean-up of exactly what the test started.
set -euo pipefail

E2E_LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

E2E_PIDS=()
# Files a test made outside its work directory.
E2E_FILES=()
E2E_WORK=$(mktemp -d /tmp/kestrix-e2e.XXXXXX)
# The editor keeps its recent characters there, never in the user's home.
export XDG_CONFIG_HOME="$E2E_WORK/config"
# Recovery copies of unsaved work go to the test's own state folder: a test
# never offers, or removes, a copy of the user's.
export XDG_STATE_HOME="$E2E_WORK/state"
# The editor looks for data files in the user's and the site's folders
# first: both are the test's own, never this machine's.
export XDG_DATA_HOME="$E2E_WORK/data-home"
export KESTRIX_SITE_DATA_DIR="$E2E_WORK/site"

e2e_cleanup() {
    local pid file
    for pid in "${E2E_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${E2E_PIDS[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    for file in "${E2E_FILES[@]}"; do
        rm -f "$file"
    done
    rm -rf "$E2E_WORK"
}
trap e2e_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# ctest reports the test as skipped (SKIP_RETURN_CODE), with the reason.
skip() {
    echo "SKIP: $*"
    exit 77
}

# Stops one process the test started before the test ends, and forgets its
# PID once reaped, so that clean-up never signals a reused PID.
stop_started() {
    local pid=$1 kept=() other
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    for other in "${E2E_PIDS[@]}"; do
        [ "$other" = "$pid" ] || kept+=("$other")
    done
    E2E_PIDS=("${kept[@]}")
}

# Starts Xvfb on a free display and exports DISPLAY. The server picks the
# display itself and writes its number once it takes connections
# (-displayfd), so tests run side by side never pick the same one.
start_x() {
    command -v Xvfb >/dev/null || { echo "Xvfb missing: run scripts/install-deps.sh"; exit 1; }
    local number="$E2E_WORK/display"
    # -fbdir keeps the screen in a file, for grab_window.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -fbdir "$E2E_WORK" \
        3>"$number" >"$E2E_WORK/xvfb.log" 2>&1 &
    E2E_PIDS+=($!)
    for _ in $(seq 1 100); do
        if [ "$(wc -l <"$number")" -ge 1 ]; then
            export DISPLAY=":$(head -n 1 "$number")"
            start_window_manager
            return 0
        fi
        sleep 0.1
    done
    cat "$E2E_WORK/xvfb.log" >&2
    fail "Xvfb did not start"
}

# Every user has a window manager, and it changes what a test sees: windows
# are reparented into frames, and activation and focus go through it. So the
# tests run under one (openbox), started on the test's own display.
start_window_manager() {
    command -v openbox >/dev/null || { echo "openbox missing: run scripts/install-deps.sh"; exit 1; }
    openbox --sm-disable >"$E2E_WORK/openbox.log" 2>&1 &
    E2E_PIDS+=($!)
    # A window manager announces itself on the root window once it manages.
    for _ in $(seq 1 300); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
        sleep 0.1
    done
    cat "$E2E_WORK/openbox.log" >&2
    fail "openbox did not start on $DISPLAY"
}

# Writes what a window shows (its client area, without the window
# manager's frame) as a PNG. xwininfo, not xdotool, tells where: xdotool
# counts the frame twice. An optional third argument enlarges the picture
# that many times, for reading its text with OCR.
grab_window() {
    local window=$1 output=$2 scale=${3:-1} geometry
    geometry=$(xwininfo -id "$window" | awk -F: '
        /Absolute upper-left X/ {x = $2} /Absolute upper-left Y/ {y = $2}
        /Width/ {w = $2} /Height/ {h = $2} END {print x, y, w, h}')
    # shellcheck disable=SC2086 # four numbers
    python3 "$E2E_LIB_DIR/grab_window.py" --scale "$scale" "$E2E_WORK/Xvfb_screen0" $geometry "$output"
}

# Starts the editor with the given arguments; sets EDITOR_PID.
start_editor() {
    unset QT_QPA_PLATFORM
    "$KESTRIX_EXE" "$@" >"$E2E_WORK/editor.log" 2>&1 &
    EDITOR_PID=$!
    E2E_PIDS+=("$EDITOR_PID")
}

# Starts the editor with the given arguments and waits for its main window;
# sets MAIN_WINDOW to the window's id and MENU_TOP to the menu bar's height.
open_main_window() {
    start_editor "$@"
    MAIN_WINDOW=$(wait_window "Kestrix for Windows 95") || fail "the main window did not open"
    xdotool windowfocus --sync "$MAIN_WINDOW"
    sleep 0.5
    MENU_TOP=$(menu_height "$MAIN_WINDOW")
}

# Waits for a window with exactly this title (xdotool ignores case) and
# prints its id.
wait_window() {
    local title=$1 id
    for _ in $(seq 1 300); do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | tail -n 1 || true)
        if [ -n "$id" ] && xdotool getwindowgeometry "$id" >/dev/null 2>&1; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    echo "no window titled '$title'; editor log:" >&2
    cat "$E2E_WORK/editor.log" >&2 || true
    return 1
}

window_gone() {
    local title=$1
    for _ in $(seq 1 50); do
        xdotool search --onlyvisible --name "^${title}\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

# Clicks at a point of a window's client area.
click_at() {
    local window=$1 x=$2 y=$3
    xdotool mousemove --window "$window" "$x" "$y" click 1
    sleep 0.2
}

press() {
    xdotool key --clearmodifiers "$@"
    sleep 0.2
}

type_text() {
    xdotool type --delay 30 "$1"
    sleep 0.2
}

# The menu bar's height, read from the window's client size: the client
# area below it is 388 pixels high.
menu_height() {
    local window=$1 height
    height=$(xdotool getwindowgeometry --shell "$window" | sed -n 's/^HEIGHT=//p')
    echo $((height - 388))
}
