# A Debian package of everything `cmake --install` puts under /usr:
#   cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRIX_BUILD_TESTS=OFF
#   cmake --build build-package -j2 && (cd build-package && cpack -G DEB)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrix)
set(CPACK_PACKAGE_VENDOR "Equipe Kestrix")
include(${CMAKE_CURRENT_LIST_DIR}/Contact.cmake)
set(CPACK_PACKAGE_CONTACT "${KESTRIX_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "character editor for the Kestrix role-playing game")
# Debian shows the description on 80-column terminals: no line is longer.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Kestrix edits player characters of Kestrix, a points-based tabletop\n"
    "role-playing game: name, attributes, magic paths, advantages and\n"
    "disadvantages from two editable catalogues, a picture and observations,\n"
    "with five running point totals. Characters are saved as fixed-size .QsZ\n"
    "files and printed as a one-page sheet. The program speaks Brazilian\n"
    "Portuguese.\n"
    "\n"
    "The package also holds kestrix-info, which prints the name and point totals\n"
    "of character files, or every field as JSON.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/SiteFolder.cmake)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
# Not "games": Debian keeps that section for games, installed in /usr/games;
# this is an editor for a game played on paper. Desktop menus still list it
# with the games (see the desktop entry's categories).
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Library dependencies come from the binaries (dpkg-shlibdeps); the fonts are
# what the program substitutes for the faces its windows and sheet ask for;
# Qt's translations make its file and print dialogs speak Portuguese.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libcups2 is loaded by name when the first print job is sent, not linked,
# so the library dependencies found in the binaries do not name it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-translations-l10n, libcups2")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# `package_source` archives the source tree without build folders or Git.
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git" "/build[^/]*/" "/out/")

include(CPack)
