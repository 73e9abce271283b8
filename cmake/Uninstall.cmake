# Removes what `cmake --install` put under a prefix, as its manifest lists it:
#   cmake -DPREFIX=/usr/local [-DDATADIR=share] -P cmake/Uninstall.cmake
# DESTDIR in the environment names the staging root the install went to. For
# an install in the system (no DESTDIR) the desktop's caches are refreshed
# afterwards. A file already gone is no error; a missing manifest is.
include("${CMAKE_CURRENT_LIST_DIR}/DesktopCaches.cmake")

if(NOT PREFIX)
  message(FATAL_ERROR "Uninstall: name the install prefix with -DPREFIX=...")
endif()
if(NOT DATADIR)
  set(DATADIR share)
endif()
set(datadir "${PREFIX}/${DATADIR}")
set(manifest "$ENV{DESTDIR}${datadir}/kovomodel/install-manifest.txt")
if(NOT EXISTS "${manifest}")
  message(FATAL_ERROR "Uninstall: nothing installed under $ENV{DESTDIR}${PREFIX} (no ${manifest})")
endif()

file(STRINGS "${manifest}" files)
foreach(file ${files})
  message(STATUS "Removing: $ENV{DESTDIR}${file}")
  file(REMOVE "$ENV{DESTDIR}${file}")
endforeach()
# The folder of the manifest is the program's own; it goes when empty.
file(GLOB left "$ENV{DESTDIR}${datadir}/kovomodel/*")
if(NOT left)
  file(REMOVE_RECURSE "$ENV{DESTDIR}${datadir}/kovomodel")
endif()

if("$ENV{DESTDIR}" STREQUAL "")
  kovo_refresh_desktop_caches("${datadir}")
endif()
