# `make package`: a Debian package of the installed tree, kivo_<version>_amd64.deb. Its library
# dependencies are read from the programs by dpkg-shlibdeps; what the programs load without
# linking it is named here: the fonts they draw with and Qt's X11 platform plugin.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kivo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "KIVO")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer of borehole optical televiewer image logs")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "KIVO developers <kivo@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The summary is the package's first line; this the text under it, each line indented by CPack.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "KIVO Log Viewer shows the unrolled colour image of a borehole wall (.bhx data
file with its .HED header), scrolled by depth, with depth, angle and bearing
readouts. Fractures and beds are picked as sinusoids with their true dips; the
header sheet, the screen and the log print to paper or PDF.

The kivo command does the same work without a window, for scripts.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
    ${CMAKE_BINARY_DIR}/src)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-liberation, qt6-qpa-plugins")
include(CPack)
