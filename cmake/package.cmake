# The Debian package, made from the install rules: cd build && cpack -G DEB
# gives tarnwick_<version>_amd64.deb, installed under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VENDOR "Veldrosa")
set(CPACK_PACKAGE_CONTACT "Tarnwick maintainers <maintainers@users.noreply.c-seed-cc81100f.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from the programs themselves (dpkg-shlibdeps); Qt's
# platform and sound plugins ship with the libraries they belong to. The
# Spanish of Qt's own dialogs and the font standing in for Arial are
# looked up at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-liberation")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tile-based action role-playing game, with its map editor")
set(CPACK_PACKAGE_DESCRIPTION "Tarnwick Quest is a single-player action role-playing game on a grid of
tiles: create a character, load a map, walk, strike, drink potions and
rise in level against blots, flying rats and mutant sheep, through a
campaign of three maps. Tarnwick Editor paints new maps for it.

Both programs speak Spanish. Characters and the player's own maps are
kept in ~/.local/share/tarnwick.")
include(CPack)
