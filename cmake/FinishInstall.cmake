# Runs at the end of `cmake --install`, after every other install rule, with
# KOVO_DATADIR set to the data folder relative to the prefix. It lists the
# installed files in DATADIR/kovomodel/install-manifest.txt, where
# Uninstall.cmake finds them whichever build tree it runs from, and, for an
# install into the system (no DESTDIR, which stages a package instead),
# refreshes the desktop's caches.
include("${CMAKE_CURRENT_LIST_DIR}/DesktopCaches.cmake")

set(datadir "${CMAKE_INSTALL_PREFIX}/${KOVO_DATADIR}")
set(manifest "${datadir}/kovomodel/install-manifest.txt")
# The list names the files where they are used, without the staging root.
set(listed "")
foreach(file ${CMAKE_INSTALL_MANIFEST_FILES} "${manifest}")
  string(APPEND listed "${file}\n")
endforeach()
message(STATUS "Installing: $ENV{DESTDIR}${manifest}")
file(WRITE "$ENV{DESTDIR}${manifest}" "${listed}")

if("$ENV{DESTDIR}" STREQUAL "")
  kovo_refresh_desktop_caches("${datadir}")
endif()
