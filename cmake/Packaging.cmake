# The Debian package: `cpack -G DEB` in the build folder makes telvoran_<version>_amd64.deb
# with the install layout under /usr, its copyright file and changelog among them
# (resources/debian/). Its library dependencies are computed from the programs
# (dpkg-shlibdeps); among them libqt6svg6, which the program links and which also holds the SVG
# plugins Qt loads at run time for the icons. Lintian finds no fault in it (tests/install).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME telvoran)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for interval and event archives of a monitoring system")
# Lines of at most 80 characters, as Debian's policy asks.
set(CPACK_PACKAGE_DESCRIPTION
  "Telvoran shows the archive files that an industrial monitoring program
writes: interval archives (.czt) with the dated values of up to four
measuring channels, and event archives (.zdr) with alarm states, each row
drawn on the colour of its situation. Rows sort by any column; a view is
saved as a text report or a CSV file for a spreadsheet, or printed on
numbered pages. Archives are never changed. The package also holds
telvoran-report, which writes the report, CSV file or printout of an archive
without a window, and telvoran-mkarchive, which writes made-up archives.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TELVORAN_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The lists are drawn in Courier New, whose character widths Liberation Mono shares.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
# The menu, the file types and the icon cache are refreshed by the triggers of the packages
# that keep them; the package names their folders so that this happens on install and removal.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/resources/debian/triggers)
# The debugging information stays in the build folder.
set(CPACK_STRIP_FILES ON)
# No needless ldconfig calls for the private PDF module (see the script).
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/DebianWithoutLdconfig.cmake)
include(CPack)
