# Who answers for the package, in its control file and its changelog. The
# project has no public address yet; the reserved example domain stands in
# for it, and Debian's tools accept it where they refuse "localhost".
set(KESTRIX_PACKAGE_CONTACT "Equipe Kestrix <kestrix@kestrix.example.org>")
