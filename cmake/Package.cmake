# The Debian package, made by `make package` (cpack -G DEB): everything the
# install puts under /usr, with the stripped programs, the copyright file and
# the change log that Debian asks of every package. Its dependencies are the
# libraries the programs link, found by dpkg-shlibdeps. It has no maintainer
# scripts: Debian's own triggers refresh the MIME, desktop and icon caches
# when files land in their folders.
set(KOVO_MAINTAINER "Kovomodel developers <kovomodel@example.org>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kovomodel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${KOVO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for 3D mesh models stored in .dat files")
set(CPACK_PACKAGE_DESCRIPTION "\
Kovomodel is a small, fast desktop viewer for 3D mesh models stored as
plain-text .dat files: wire models of vertices and edges, and surface models
of triangles and quadrilaterals, which it turns with the mouse and shows as
points, wire frames or shaded faces.
.
The package also holds command-line tools that check a model, draw it into a
PNG picture without a display, and make previews of models for file
managers.")
# Staged with DESTDIR for the prefix /usr, whatever prefix the build was
# configured for: the install scripts then list the files where dpkg puts
# them and leave the desktop's caches alone, as for a staged `make install`.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# What Debian asks of a package beyond the install: the copyright file and
# the change log, written into the staging root before the install runs.
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in
  ${PROJECT_BINARY_DIR}/packaging/changelog @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/PackageDocs.cmake.in
  ${PROJECT_BINARY_DIR}/packaging/PackageDocs.cmake @ONLY)
set(CPACK_INSTALL_SCRIPTS ${PROJECT_BINARY_DIR}/packaging/PackageDocs.cmake)

include(CPack)
