# Runs in CPack after the files are staged: the package ships /etc/kestrix,
# empty, for the machine's own data files (they come before the shipped ones,
# and dpkg leaves what an administrator puts there through upgrades and
# removal). Not an install rule: `cmake --install` into another prefix must
# not write to the machine's /etc.
foreach(staged IN LISTS CPACK_TEMPORARY_INSTALL_DIRECTORY)
    file(MAKE_DIRECTORY "${staged}/etc/kestrix")
endforeach()
