#!/usr/bin/env bash
# Installs, from Debian's archive, whatever the build, the tests and the
# editor need and this machine does not have yet.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config python3
    libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
    qt6-base-dev qt6-svg-dev qt6-image-formats-plugins qt6-translations-l10n
    libemf2svg-dev libemf2svg1 libwmf-dev libwmf-0.2-7 libwmf-bin fonts-urw-base35
    fonts-liberation
    xvfb xdotool x11-utils openbox
    # reading a message box's text off the screen in the end-to-end tests
    tesseract-ocr tesseract-ocr-por
    cups libcups2-dev printer-driver-cups-pdf poppler-utils
    clang-14 libclang-rt-14-dev clang-format-14
    # building the Debian package and checking what it installs
    dpkg-dev file desktop-file-utils shared-mime-info xdg-utils libfile-mimeinfo-perl
    lintian appstream man-db
    # counting start-up's instructions (scripts/ci/startup-guard.sh)
    valgrind
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root=()
    [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    "${as_root[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
