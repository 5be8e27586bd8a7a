#!/usr/bin/env bash
# The command line without a display, a print server or a printer:
# --version and --help answer at once, a bad command line exits 2 with the
# usage, and --export-pdf turns a party of characters into one PDF, one page
# each in the order given, on the locale's paper, with every font embedded.
# An unreadable character is reported as "FILE: message" and the others are
# still written (exit 1); a missing picture is reported, its page goes
# without it and the exit status is 1; a picture beside its character is found.
KESTRIX_EXE=$1
VERSION=$2
source "$(dirname "$0")/lib.sh"
here=$(cd "$(dirname "$0")" && pwd)

for tool in pdfinfo pdftotext pdffonts pdfimages; do
    command -v "$tool" >/dev/null || fail "$tool missing: run scripts/install-deps.sh"
done

# No display, and a print server that is not there.
kestrix() { kestrix_in C.UTF-8 "$@"; }
kestrix_in() {
    local locale=$1
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR \
        CUPS_SERVER="$E2E_WORK/no-server.sock" LC_ALL="$locale" "$KESTRIX_EXE" "$@"
}
pdf_field() { pdfinfo "$1" | sed -n "s/^$2: *//p"; }

cd "$E2E_WORK"
out=$(kestrix --version) || fail "--version failed"
[ "$out" = "kestrix $VERSION" ] || fail "--version printed '$out'"
kestrix --help >help.txt 2>help.err || fail "--help failed"
grep -q -- "--export-pdf" help.txt && [ ! -s help.err ] || fail "--help printed no usage on stdout"
for bad in "--nada" "-x.QsZ" "--export-pdf" "--export-pdf sem-arquivos.pdf"; do
    # shellcheck disable=SC2086 # the cases are word lists
    status=0
    kestrix $bad >bad.out 2>bad.err || status=$?
    [ $status -eq 2 ] || fail "'$bad' exited $status, not 2"
    grep -q "^Usage:" bad.err && [ ! -s bad.out ] || fail "'$bad' printed no usage on stderr"
done

python3 "$here/make_character.py" primeiro.QsZ --name "Alda Primeira"
python3 "$here/make_character.py" --name "Bruno Segundo" -- -segundo.QsZ sem-figura.bmp
python3 "$here/make_character.py" terceiro.QsZ --name "Cora Terceira"
head -c 100 primeiro.QsZ >curto.QsZ

# Two good characters around an unreadable one and a missing one.
status=0
kestrix_in pt_BR.UTF-8 --export-pdf grupo.pdf primeiro.QsZ curto.QsZ -- -segundo.QsZ \
    ausente.QsZ terceiro.QsZ >batch.out 2>batch.err || status=$?
[ $status -eq 1 ] || fail "a batch with unreadable files exited $status, not 1"
grep -q "^curto.QsZ: " batch.err || fail "curto.QsZ was not reported: $(cat batch.err)"
grep -q "^ausente.QsZ: " batch.err || fail "ausente.QsZ was not reported: $(cat batch.err)"
grep -q "^-segundo.QsZ: picture sem-figura.bmp: " batch.err ||
    fail "the missing picture was not reported: $(cat batch.err)"
[ "$(pdf_field grupo.pdf Pages)" = 3 ] || fail "grupo.pdf has $(pdf_field grupo.pdf Pages) pages"
names=$(pdftotext grupo.pdf - | grep -oE "(Alda|Bruno|Cora) [A-Z][a-z]+" | tr '\n' ,)
[ "$names" = "Alda Primeira,Bruno Segundo,Cora Terceira," ] || fail "pages in the wrong order: $names"
[ "$(pdf_field grupo.pdf Creator)" = "Kestrix $VERSION" ] ||
    fail "creator '$(pdf_field grupo.pdf Creator)'"
pdf_field grupo.pdf "Page size" | grep -q "^595 x 842 pts (A4)" ||
    fail "pt_BR paper is $(pdf_field grupo.pdf 'Page size')"
# Every font embedded: the column after the encoding says so for each.
fonts=$(pdffonts grupo.pdf | tail -n +3)
[ -n "$fonts" ] || fail "grupo.pdf has no fonts: its texts are not text"
awk '{ if ($(NF-4) != "yes") bad = 1 } END { exit bad }' <<<"$fonts" ||
    fail "fonts not embedded:\n$fonts"

# One character: exit 0, its name as the title, Letter where the locale says.
kestrix_in en_US.UTF-8 --export-pdf um.pdf primeiro.QsZ 2>um.err || fail "one character: $(cat um.err)"
[ ! -s um.err ] || fail "one good character printed: $(cat um.err)"
[ "$(pdf_field um.pdf Title)" = "Alda Primeira" ] || fail "title '$(pdf_field um.pdf Title)'"
pdf_field um.pdf "Page size" | grep -q "^612 x 792 pts (letter)" ||
    fail "en_US paper is $(pdf_field um.pdf 'Page size')"

# A metafile picture stays a vector drawing: the emblem is the page's only image.
python3 "$here/make_character.py" metafile.QsZ "$here/../data/metafiles/placeable.wmf" --name "Meta"
kestrix --export-pdf metafile.pdf metafile.QsZ 2>metafile.err || fail "metafile: $(cat metafile.err)"
images=$(pdfimages -list metafile.pdf | tail -n +3 | wc -l)
[ "$images" -eq 1 ] || fail "the metafile picture became $((images - 1)) image(s), not vectors"

# A character shared without its picture: the page is written without it,
# the export says so and does not exit as a success.
python3 "$here/make_character.py" --name "Iara" -- iara.QsZ /home/dona/fotos/iara.png
status=0
kestrix --export-pdf iara.pdf iara.QsZ 2>iara.err || status=$?
[ $status -eq 1 ] || fail "a page without its picture exited $status, not 1"
grep -qx "iara.QsZ: picture /home/dona/fotos/iara.png: File not found" iara.err ||
    fail "the missing picture was not reported: $(cat iara.err)"
[ "$(pdf_field iara.pdf Pages)" = 1 ] || fail "iara.pdf has $(pdf_field iara.pdf Pages) pages"
# With the PNG beside the character, the page has it and all is well.
python3 - <<'PNG'
import struct, zlib
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
rows = b"".join(b"\0" + b"\xff\x00\x00" * 16 for _ in range(16))
with open("iara.png", "wb") as f:
    f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 16, 16, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
PNG
kestrix --export-pdf iara.pdf iara.QsZ 2>iara.err || fail "the PNG beside the character: $(cat iara.err)"
images=$(pdfimages -list iara.pdf | tail -n +3 | wc -l)
[ "$images" -eq 2 ] || fail "the PNG beside the character gave $((images - 1)) picture(s), not 1"

# A PDF that cannot be written is reported.
status=0
kestrix --export-pdf pasta-inexistente/x.pdf primeiro.QsZ 2>nowrite.err || status=$?
[ $status -eq 1 ] && grep -q "^pasta-inexistente/x.pdf: " nowrite.err ||
    fail "an unwritable PDF was not reported: $(cat nowrite.err)"
echo "export pdf: ok"
