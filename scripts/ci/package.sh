#!/usr/bin/env bash
# Builds the Debian package from a Release build in build-package/ (or
# $PACKAGE_BUILD_DIR), checks it as Debian and the software centres read it
# (lintian, the AppStream description, the manual pages, the copyright file),
# installs it, checks what a user gets (the launcher, the data files,
# kestrix-info, the editor's start, the desktop entry, the file type and the
# icons), then purges it and checks that nothing is left.
# Installing a system package needs root: anyone else only gets a notice.
set -euo pipefail
cd "$(dirname "$0")/../.."

if [ "$(id -u)" -ne 0 ]; then
    echo "package: skipped; it installs and purges the kestrix package, run it as root"
    exit 0
fi
# installed, not-installed, config-files, half-installed, ...; empty if unknown.
package_state() { dpkg-query -W -f='${db:Status-Status}' kestrix 2>/dev/null || true; }
case "$(package_state)" in
    "" | not-installed | config-files) ;;
    *)
        echo "package: kestrix is already installed here; this check would replace and purge it." >&2
        echo "package: remove it first (dpkg -P kestrix)" >&2
        exit 1
        ;;
esac
scripts/install-deps.sh

build_dir=${PACKAGE_BUILD_DIR:-build-package}
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
work=$(mktemp -d /tmp/kestrix-package.XXXXXX)
pids=()
installed=no

cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    if [ "$installed" = yes ]; then
        dpkg -P kestrix >/dev/null 2>&1 || echo "package: could not purge kestrix" >&2
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "package: FAIL: $*" >&2
    exit 1
}

# dpkg gives up at once when another apt or dpkg holds its lock.
dpkg_retrying() {
    for _ in $(seq 1 60); do
        if dpkg "$@" >"$work/dpkg.log" 2>&1; then
            return 0
        fi
        grep -Eq "frontend lock|database is locked|lock was locked" "$work/dpkg.log" ||
            { cat "$work/dpkg.log" >&2; return 1; }
        sleep 5
    done
    cat "$work/dpkg.log" >&2
    return 1
}

# --- build -----------------------------------------------------------------
# Debian's own compiler and linker flags, hardening included, as a Debian
# build of the package uses them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
if ! { cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DKESTRIX_BUILD_TESTS=OFF -DKESTRIX_WERROR=$werror \
        -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
        -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" &&
       cmake --build "$build_dir" -j2 &&
       rm -f "$build_dir"/kestrix_*.deb &&
       (cd "$build_dir" && cpack -G DEB); } >"$work/build.log" 2>&1; then
    cat "$work/build.log"
    fail "the package build failed"
fi
debs=("$build_dir"/kestrix_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    fail "expected one kestrix_*.deb in $build_dir"
fi
deb=${debs[0]}
echo "package: built $deb"

# --- the package's control fields and contents -------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = kestrix ] || fail "package name: $(field Package)"
version=$(sed -n 's/^project(Kestrix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ "$(field Version)" = "$version" ] || fail "version: $(field Version), the build says $version"
[ "$(field Maintainer)" = "Equipe Kestrix <kestrix@kestrix.example.org>" ] || fail "maintainer: $(field Maintainer)"
depends=$(field Depends)
depends_names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//')
for needed in fonts-liberation qt6-translations-l10n libc6 libstdc++6 libqt6widgets6 libqt6printsupport6 \
    libqt6svg6 libcups2; do
    grep -qxF "$needed" <<<"$depends_names" || fail "Depends lacks $needed: $depends"
done

dpkg-deb -c "$deb" >"$work/contents"
grep -Eq '^lrwxrwxrwx root/root .* \./usr/bin/kestrix -> \.\./lib/kestrix/kestrix$' "$work/contents" ||
    fail "no relative launcher link usr/bin/kestrix"
for file in vantagem.lib desvant.lib qsz.lib modelo.bmp modules/kestrix-print.so modules/kestrix-svg.so; do
    grep -Eq "^-rw-r--r-- root/root .* \./usr/lib/kestrix/$file\$" "$work/contents" ||
        fail "usr/lib/kestrix/$file is missing or not rw-r--r-- root/root"
done
for program in usr/lib/kestrix/kestrix usr/bin/kestrix-info; do
    grep -Eq "^-rwxr-xr-x root/root .* \./$program\$" "$work/contents" ||
        fail "$program is missing or not rwxr-xr-x root/root"
done
if grep -Ev '^(drwxr-xr-x|-rw-r--r--|-rwxr-xr-x|lrwxrwxrwx) root/root ' "$work/contents"; then
    fail "the entries above are not root/root with the usual modes"
fi

# --- what Debian and the software centres read --------------------------------
tree="$work/tree"
dpkg-deb -x "$deb" "$tree"

# Errors fail; warnings and notes are shown for whoever reads the log.
if ! lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1; then
    cat "$work/lintian.log" >&2
    fail "lintian reports errors"
fi
grep -E '^[A-Z]: ' "$work/lintian.log" || true
echo "package: lintian reports no errors"

metainfo="$tree/usr/share/metainfo/io.github.kestrix.Kestrix.metainfo.xml"
[ -f "$metainfo" ] || fail "no AppStream metainfo file"
appstream_check() {
    appstreamcli "$@" >"$work/appstream.log" 2>&1 ||
        { cat "$work/appstream.log" >&2; fail "appstreamcli $* failed"; }
}
appstream_check validate --no-net "$metainfo"
# The whole tree, so that the desktop entry named as launchable is found too.
appstream_check validate-tree --no-net "$tree"
echo "package: the AppStream metainfo is valid"

# Manual pages gzip'd at the best level, with no name or time stamp in the
# header (ID1 ID2 CM FLG MTIME XFL=2), and rendered without a warning the
# way lintian renders them.
for page in kestrix kestrix-info; do
    manpage="$tree/usr/share/man/man1/$page.1.gz"
    [ -f "$manpage" ] || fail "no manual page $page(1)"
    [ "$(od -An -tx1 -N9 "$manpage" | tr -d ' \n')" = 1f8b08000000000002 ] ||
        fail "$page.1.gz is not gzip -9n output"
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
        man --warnings -E UTF-8 -l -Tutf8 -Z "$manpage" 2>&1 >/dev/null) ||
        fail "man cannot render $page(1)"
    [ -z "$warnings" ] || fail "man warns about $page(1): $warnings"
    LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$manpage" 2>/dev/null | grep -Eq "^ +$page +- " ||
        fail "$page(1) does not start with its NAME line"
done
echo "package: the manual pages render without warnings"

copyright="$tree/usr/share/doc/kestrix/copyright"
[ "$(head -n 1 "$copyright")" = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] ||
    fail "the copyright file is not in Debian's machine-readable format"
grep -qx "License: GPL-2+" "$copyright" || fail "the copyright file does not state GPL-2+"

# --- install ---------------------------------------------------------------
installed=yes
if ! dpkg_retrying -i "$deb"; then
    echo "package: dependencies missing, letting apt-get complete them"
    DEBIAN_FRONTEND=noninteractive apt-get install -f -y -qq --no-install-recommends \
        -o DPkg::Lock::Timeout=300 >/dev/null || fail "apt-get could not complete the installation"
fi
[ "$(package_state)" = installed ] || fail "kestrix is not installed"
dpkg -L kestrix | sort >"$work/owned"

[ "$(readlink /usr/bin/kestrix)" = ../lib/kestrix/kestrix ] || fail "/usr/bin/kestrix is not the link"
[ -x /usr/lib/kestrix/kestrix ] || fail "/usr/lib/kestrix/kestrix is not executable"

# Everyone can run the tools and read the data files.
as_nobody() { setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; }
for file in vantagem.lib desvant.lib qsz.lib modelo.bmp; do
    as_nobody test -r "/usr/lib/kestrix/$file" || fail "/usr/lib/kestrix/$file is not readable by everyone"
done

# --- kestrix-info on the installed template ----------------------------------
summary=$(cd / && as_nobody /usr/bin/kestrix-info /usr/lib/kestrix/qsz.lib) || fail "kestrix-info failed"
expected=$'/usr/lib/kestrix/qsz.lib\tNome do Personagem\tatributos=0 vantagens=0 desvantagens=0 magias=0 total=0'
[ "$summary" = "$expected" ] || fail "kestrix-info read the template as: $summary"
/usr/bin/kestrix-info --json /usr/lib/kestrix/qsz.lib | python3 -c '
import json, sys
record = json.load(sys.stdin)
assert record["name"] == "Nome do Personagem", record["name"]
assert set(record["totals"].values()) == {0}, record["totals"]
assert record["advantages"] == [] and record["disadvantages"] == [], record
' || fail "kestrix-info --json does not show the blank template"
echo "package: kestrix-info reads the installed template"

# --- the editor starts through the launcher and finds its data ---------------
# An ordinary user starts it from another directory with a character file of
# their own: a missing or unreadable catalogue, or a file it cannot open,
# would show an error box captioned with the application's title.
chmod 755 "$work"
mkdir "$work/user"
cp /usr/lib/kestrix/qsz.lib "$work/user/Heroi.QsZ"
chown -R nobody:nogroup "$work/user"
display=
for candidate in $(seq 150 199); do
    [ -e "/tmp/.X11-unix/X$candidate" ] || [ -e "/tmp/.X$candidate-lock" ] && continue
    display=$candidate
    break
done
[ -n "$display" ] || fail "no free X display"
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
pids+=("$xvfb")
export DISPLAY=":$display"
for _ in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start on :$display"

# Its state folder (recovery copies) is the test's, never this machine's.
(cd /tmp && exec env -u QT_QPA_PLATFORM XDG_STATE_HOME="$work/user/state" \
    setpriv --reuid=nobody --regid=nogroup --clear-groups \
    /usr/bin/kestrix "$work/user/Heroi.QsZ") >"$work/editor.log" 2>&1 &
editor=$!
pids+=("$editor")
# Titles compared exactly: xdotool's name search ignores case, and the main
# window's caption differs from the error box's only in one letter's case.
editor_windows() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$editor" 2>/dev/null); do
        xdotool getwindowname "$id" 2>/dev/null || true
    done
}
for _ in $(seq 1 150); do
    [ -n "$(editor_windows)" ] && break
    kill -0 "$editor" 2>/dev/null || break
    sleep 0.1
done
sleep 1
windows=$(editor_windows)
kill -0 "$editor" 2>/dev/null || { cat "$work/editor.log" >&2; fail "the installed editor ended by itself"; }
if grep -qxF "Kestrix For Windows 95" <<<"$windows"; then
    fail "the installed editor showed an error box at start-up (missing data files?)"
fi
grep -qxF "Kestrix for Windows 95" <<<"$windows" ||
    { cat "$work/editor.log" >&2; fail "the installed editor showed no main window (windows: $windows)"; }
kill "$editor"
wait "$editor" 2>/dev/null || true
pids=("$xvfb")
echo "package: the installed editor starts and finds its data"

# --- desktop entry, file type, icons -----------------------------------------
desktop-file-validate /usr/share/applications/kestrix.desktop || fail "the desktop entry is not valid"
for size in 16 24 32 48 64 128 256; do
    icon=/usr/share/icons/hicolor/${size}x${size}/apps/kestrix.png
    file "$icon" | grep -q "PNG image data, $size x $size," || fail "$icon is not a $size x $size PNG"
done
icon=/usr/share/icons/hicolor/scalable/apps/kestrix.svg
file "$icon" | grep -q "SVG Scalable Vector Graphics image" || fail "$icon is not an SVG picture"

# A desktop-less root shell: only the system's databases, none of root's own
# settings, and the freedesktop tools rather than libmagic.
query_home="$work/home"
mkdir -p "$query_home"
xdg_query() {
    env -i PATH="$PATH" HOME="$query_home" XDG_CONFIG_HOME="$query_home/.config" \
        XDG_DATA_HOME="$query_home/.local/share" XDG_DATA_DIRS=/usr/share XDG_CONFIG_DIRS=/etc/xdg \
        XDG_CURRENT_DESKTOP=X-Generic xdg-mime query "$@"
}
samples=("$work/heroi.qsz" "$work/Heroi.QsZ" "$work/HEROI.QSZ")
for sample in "${samples[@]}"; do
    cp /usr/lib/kestrix/qsz.lib "$sample"
    type=$(xdg_query filetype "$sample")
    [ "$type" = application/x-kestrix-character ] || fail "$(basename "$sample") is $type"
done
handler=$(xdg_query default application/x-kestrix-character)
[ "$handler" = kestrix.desktop ] || fail "the character file type opens with '$handler'"
echo "package: desktop entry valid; .qsz/.QsZ files open with kestrix.desktop"

# --- purge: nothing the package installed remains -----------------------------
dpkg_retrying -P kestrix || fail "dpkg -P kestrix failed"
installed=no
case "$(package_state)" in
    "" | not-installed) ;;
    *) fail "kestrix is still known to dpkg as $(package_state)" ;;
esac
while IFS= read -r path; do
    [ -e "$path" ] || [ -L "$path" ] || continue
    if [ -d "$path" ] && [ ! -L "$path" ]; then
        # Shared directories stay when another package owns them or they hold
        # other files.
        dpkg-query -S "$path" >/dev/null 2>&1 && continue
        [ -n "$(ls -A "$path")" ] && continue
    fi
    fail "$path is still there after the purge"
done <"$work/owned"
[ ! -e /usr/lib/kestrix ] || fail "/usr/lib/kestrix is still there"
# The triggers rebuilt the caches without the file type and the handler.
[ ! -e /usr/share/mime/application/x-kestrix-character.xml ] || fail "the MIME database still has the type"
if grep -qs "kestrix" /usr/share/applications/mimeinfo.cache; then
    fail "mimeinfo.cache still names kestrix.desktop"
fi
type=$(xdg_query filetype "${samples[1]}" || true)
[ "$type" != application/x-kestrix-character ] || fail "the file type still resolves after the purge"
echo "package: purged, nothing left behind"
