# The Debian package (scripts/package-deb): `cpack -G DEB` in a Release build folder.
set(CPACK_PACKAGE_NAME "${KRVNM_PACKAGE_NAME}")
set(CPACK_PACKAGE_VENDOR "Quillon Works")
set(CPACK_PACKAGE_CONTACT "Quillon Works <support@quillonworks.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.quillonworks.example/korvane-manager/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "installs and updates the game Korvane")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/dist")
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Not "games": Debian keeps that section for packages holding a game.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries' packages are worked out by dpkg-shlibdeps (dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The game's builds are Windows programs; without Wine the Manager still installs them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "wine")
# The summary above is its first line; CPack indents these lines as Debian wants them.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Korvane Manager looks after one installation of the game Korvane.
It finds the game and reads its version, learns the latest stable, beta and
nightly builds from the game project's servers, downloads and installs the
build you pick (Win9x, Win32 or Win64, run through Wine), offers the base set
of graphics, sound and music, and speaks eleven languages.")

include(CPack)
