#!/usr/bin/env bash
# Builds the editor and starts it, optionally with a character file:
#   ./run.sh [file.QsZ]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/install-deps.sh"
"$here/scripts/configure.sh"
editor="$here/${BUILD_DIR:-build}/app/kestrix"
if [ ! -x "$editor" ]; then
    echo "run.sh: the editor was not built: $editor is missing" >&2
    exit 1
fi
exec "$editor" "$@"
