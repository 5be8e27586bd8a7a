#!/usr/bin/env bash
# Regenerates the shipped catalogues data/vantagem.lib and data/desvant.lib
# from their readable UTF-8 sources in data/src/ (a name line, then a cost
# line, per entry, kept in alphabetical order by hand). The program reads the
# catalogues as Windows-1252 with CR LF line ends, so that is what is written.
# The generated files are committed; the build never runs this script.
set -euo pipefail
cd "$(dirname "$0")/.."

for catalogue in vantagem desvant; do
    source_file="data/src/$catalogue.txt"
    target_file="data/$catalogue.lib"
    if grep -q $'\r' "$source_file"; then
        echo "$source_file: keep LF line ends in the source; CR LF is added here" >&2
        exit 1
    fi
    iconv -f UTF-8 -t WINDOWS-1252 "$source_file" | sed 's/$/\r/' >"$target_file.tmp"
    mv "$target_file.tmp" "$target_file"
    echo "$target_file: $(($(wc -l <"$target_file") / 2)) entries"
done
