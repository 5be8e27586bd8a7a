#!/usr/bin/env bash
# Writes the handmade seed inputs of both fuzz targets into the folders beside
# this script. The seeds are committed; run this again only to change them.
# Texts are Windows-1252, written with octal escapes.
set -euo pipefail
cd "$(dirname "$0")"
export LC_ALL=C

records=fuzz_record_loader
catalogues=fuzz_catalogue_reader
mkdir -p "$records" "$catalogues"

# put FILE OFFSET PRINTF-FORMAT: writes the bytes at OFFSET.
put() {
    # shellcheck disable=SC2059
    printf -- "$3" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

# text FILE OFFSET PRINTF-FORMAT: a short string, its length byte first.
text() {
    local length
    # shellcheck disable=SC2059
    length=$(printf -- "$3" | wc -c)
    put "$1" "$2" "$(printf '\\%03o' "$length")$3"
}

# lastIndexes FILE ADVANTAGES DISADVANTAGES OBSERVATIONS: little-endian bytes.
lastIndexes() {
    put "$1" 364 "$2"
    put "$1" 368 "$3"
    put "$1" 372 "$4"
}

none='\377\377\377\377'

blank() {
    head -c 4012 /dev/zero >"$1"
    text "$1" 256 'Nome do Personagem'
    for offset in 297 303 309 315 321 327 333 339 345 351 357; do
        text "$1" "$offset" '0'
    done
    lastIndexes "$1" "$none" "$none" "$none"
    text "$1" 1196 'modelo.bmp'
}

blank "$records/blank.QsZ"
cp ../../data/qsz.lib "$records/template.QsZ"

full="$records/full.QsZ"
blank "$full"
text "$full" 0 'C:\\Personagens\\joao.QsZ'
text "$full" 256 'Jo\343o da Concei\347\343o'
offset=297
for value in 1 2 3 4 5 '$1F' '-2' '7 ' 'x2' '99999' '-0'; do
    text "$full" "$offset" "$value"
    offset=$((offset + 6))
done
lastIndexes "$full" '\001\0\0\0' '\0\0\0\0' '\001\0\0\0'
text "$full" 376 '2 Ataque Especial'
text "$full" 417 '-1 Per\355cia'
text "$full" 786 '-2 C\363digo de Honra'
text "$full" 1196 'retrato.bmp'
text "$full" 1452 'Nasceu em Bel\351m.'
text "$full" 1708 'Odeia \223drag\365es\224.'

# Length bytes past their fields and last indexes past the ten slots.
overlong="$records/overlong.QsZ"
blank "$overlong"
put "$overlong" 0 '\377'
put "$overlong" 256 '\062'
put "$overlong" 297 '\377'
put "$overlong" 357 '\377'
lastIndexes "$overlong" '\014\0\0\0' '\377\377\377\177' '\373\377\377\377'
put "$overlong" 745 '\377'
put "$overlong" 1196 '\377'
put "$overlong" 3756 '\377'

head -c 4011 "$records/full.QsZ" >"$records/one-byte-short.QsZ"
{ cat "$records/full.QsZ"; printf 'trailing bytes after the record'; } >"$records/longer.QsZ"
: >"$records/empty.QsZ"

printf 'Acelera\347\343o\r\n1\r\nAtaque Especial\r\n-1\r\n' >"$catalogues/crlf.lib"
printf 'Nome A\r\n2\rNome B\n--1\r\n\r\nNome C\r-1\032depois do fim\r\n9\r\n' \
    >"$catalogues/mixed-line-ends-ctrl-z.lib"
printf '\032Acelera\347\343o\r\n1\r\n' >"$catalogues/ctrl-z-first.lib"
printf 'Acelera\347\343o\r\n1\r\nC\363digo de Honra' >"$catalogues/odd-lines.lib"
printf 'Acelera\347\343o\n1\nAtaque Especial\n-1\n' >"$catalogues/line-feeds.lib"
: >"$catalogues/empty.lib"
# Over the fuzz build's lowered size limit of 1 KB, which stands in for the
# real 64 MB: a catalogue refused as too large.
for i in $(seq 1 80); do
    printf 'Per\355cia %02d\r\n%d\r\n' "$i" "$i"
done >"$catalogues/over-the-limit.lib"
