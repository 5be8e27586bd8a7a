#!/usr/bin/env bash
# Retakes docs/screenshot.png, the picture of the main window that the README
# and the AppStream metainfo show: the built editor, on a private X server
# with a window manager, editing a sample character.
#   scripts/retake-screenshot.sh [path/to/kestrix]   (default: build/app/kestrix)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
KESTRIX_EXE=$(realpath "${1:-$root/build/app/kestrix}")
[ -x "$KESTRIX_EXE" ] || { echo "no editor at $KESTRIX_EXE: run scripts/configure.sh first" >&2; exit 1; }
source "$root/tests/e2e/lib.sh"
output="$root/docs/screenshot.png"
metainfo="$root/packaging/io.github.kestrix.Kestrix.metainfo.xml"

start_x
python3 "$root/tests/e2e/make_character.py" "$E2E_WORK/heroi.QsZ"
cd "$E2E_WORK"
open_main_window heroi.QsZ
# The pointer out of the picture, everything painted, the caret in the name
# as after start-up.
xdotool mousemove 1023 767
sleep 1
grab_window "$MAIN_WINDOW" "$E2E_WORK/screenshot.png"

# The metainfo gives the picture's size; a window of another size needs the
# metainfo mended too.
size=$(python3 - "$E2E_WORK/screenshot.png" <<'PY'
import struct, sys
width, height = struct.unpack_from(">II", open(sys.argv[1], "rb").read(), 16)
print(f'width="{width}" height="{height}"')
PY
)
grep -q "<image type=\"source\" $size>" "$metainfo" ||
    fail "the window is now $size; the metainfo names another size: mend $metainfo"
cp "$E2E_WORK/screenshot.png" "$output"
echo "wrote $output ($size)"
