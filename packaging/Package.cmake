# A Debian package of everything `cmake --install` puts under /usr:
#   cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRIX_BUILD_TESTS=OFF
#   cmake --build build-package -j2 && (cd build-package && cpack -G DEB)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrix)
set(CPACK_PACKAGE_VENDOR "Equipe Kestrix")
set(CPACK_PACKAGE_CONTACT "Equipe Kestrix <kestrix@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "character editor for the Kestrix role-playing game")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Kestrix edits player characters of Kestrix, a points-based tabletop role-playing\n"
    "game: name, attributes, magic paths, advantages and disadvantages from two\n"
    "editable catalogues, a picture and observations, with five running point\n"
    "totals. Characters are saved as fixed-size .QsZ files and printed as a\n"
    "one-page sheet. The program speaks Brazilian Portuguese.\n"
    "\n"
    "The package also holds kestrix-info, which prints the name and point totals\n"
    "of character files, or every field as JSON.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Library dependencies come from the binaries (dpkg-shlibdeps); the fonts are
# what the program substitutes for the faces its windows and sheet ask for.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# `package_source` archives the source tree without build folders or Git.
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git" "/build[^/]*/" "/out/")

include(CPack)
