#!/usr/bin/env bash
# Installs the build given as $1 under a scratch prefix with a restrictive
# umask, then checks what a user of that prefix would get.
set -euo pipefail
build_dir=$1
work=$(mktemp -d /tmp/kestrix-install.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

prefix="$work/usr"
(umask 027 && cmake --install "$build_dir" --prefix "$prefix" >"$work/install.log") ||
    { cat "$work/install.log"; fail "cmake --install failed"; }

program_dir="$prefix/lib/kestrix"
[ "$(readlink "$prefix/bin/kestrix")" = ../lib/kestrix/kestrix ] || fail "bin/kestrix is not the relative link"
[ -x "$prefix/bin/kestrix" ] || fail "bin/kestrix does not reach the program"
# The editor runs its metafile converter, and loads its modules, from its
# own directory.
for file in kestrix kestrix-metafile modules/kestrix-print.so modules/kestrix-svg.so \
    vantagem.lib desvant.lib qsz.lib modelo.bmp; do
    [ -f "$program_dir/$file" ] || fail "lib/kestrix/$file is missing"
done
# Readable by everyone whatever the installer's umask.
for file in "$program_dir"/*.lib "$program_dir/modelo.bmp" "$program_dir"/modules/*.so; do
    [ "$(stat -c %a "$file")" = 644 ] || fail "$file has mode $(stat -c %a "$file")"
done
while IFS= read -r directory; do
    [ "$(stat -c %a "$directory")" = 755 ] || fail "$directory has mode $(stat -c %a "$directory")"
done < <(find "$prefix" -mindepth 1 -type d)

line=$("$prefix/bin/kestrix-info" "$program_dir/qsz.lib")
[ "$line" = "$program_dir/qsz.lib"$'\tNome do Personagem\tatributos=0 vantagens=0 desvantagens=0 magias=0 total=0' ] ||
    fail "kestrix-info read the installed template as: $line"

# A character named like a toolkit option is read as a character by the
# installed command, never handed to the toolkit (which would load a
# platform plug-in of that name, or one from a folder of that name).
cp "$program_dir/qsz.lib" "$work/-platform"
(cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_STATE_HOME="$work/state" \
    "$prefix/bin/kestrix" --export-pdf partido.pdf -- -platform "$program_dir/qsz.lib") ||
    fail "the installed kestrix took a file named -platform for an option"
pages=$(pdfinfo "$work/partido.pdf" | sed -n 's/^Pages: *//p')
[ "$pages" = 2 ] || fail "the installed kestrix wrote $pages pages for two characters"

desktop-file-validate "$prefix/share/applications/kestrix.desktop" || fail "the desktop entry is not valid"
for size in 16 24 32 48 64 128 256; do
    file "$prefix/share/icons/hicolor/${size}x${size}/apps/kestrix.png" | grep -q ", $size x $size," ||
        fail "no $size x $size icon"
done
grep -q "<svg" "$prefix/share/icons/hicolor/scalable/apps/kestrix.svg" || fail "no scalable icon"

# The file type and its handler, from this prefix's databases only.
# Both remark that the scratch prefix is not on the search path; it is, below.
if ! { update-mime-database "$prefix/share/mime" &&
        update-desktop-database "$prefix/share/applications"; } >"$work/update.log" 2>&1; then
    cat "$work/update.log"
    fail "the freedesktop databases could not be built"
fi
query() {
    env -i PATH="$PATH" HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
        XDG_DATA_HOME="$work/home/.local/share" XDG_DATA_DIRS="$prefix/share" \
        XDG_CONFIG_DIRS="$work/etc" XDG_CURRENT_DESKTOP=X-Generic xdg-mime query "$@"
}
for name in heroi.qsz Heroi.QsZ HEROI.QSZ; do
    cp "$program_dir/qsz.lib" "$work/$name"
    type=$(query filetype "$work/$name")
    [ "$type" = application/x-kestrix-character ] || fail "$name is $type"
done
cp "$program_dir/qsz.lib" "$work/heroi.bin"
type=$(query filetype "$work/heroi.bin")
[ "$type" != application/x-kestrix-character ] || fail "a .bin file was taken for a character"
handler=$(query default application/x-kestrix-character)
[ "$handler" = kestrix.desktop ] || fail "character files open with '$handler'"
echo "install tree: ok"
