# A Debian package of the installed tree: cpack -G DEB in the build folder.
set(CPACK_PACKAGE_NAME levelwise)
set(CPACK_PACKAGE_VENDOR "The Levelwise authors")
set(CPACK_PACKAGE_CONTACT "The Levelwise authors <levelwise@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Correction levels of a price move for traders")
set(CPACK_PACKAGE_VERSION ${LEVELWISE_DISPLAY_VERSION})
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The shared libraries come from dpkg-shlibdeps; the platform plugin ships with libqt6gui6,
# and the window's fonts are a dependency of their own.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6gui6 (>= 6.4), fonts-liberation2")
include(CPack)
