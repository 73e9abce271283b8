# The date of the source being built, for the release entry of the metainfo
# and the package's change log: the last commit's time in a git checkout,
# else SOURCE_DATE_EPOCH, else the time of this project's top CMakeLists.txt.
# Sets KOVO_SOURCE_DATE (2026-12-09) and KOVO_SOURCE_DATE_RFC2822.
set(epoch "")
find_package(Git QUIET)
if(GIT_FOUND)
  execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  # A new commit configures the build again, so the date follows it.
  execute_process(COMMAND ${GIT_EXECUTABLE} symbolic-ref -q HEAD
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE branch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  foreach(ref HEAD ${branch})
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --git-path ${ref}
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    get_filename_component(path "${path}" ABSOLUTE BASE_DIR ${PROJECT_SOURCE_DIR})
    if(EXISTS "${path}" AND NOT IS_DIRECTORY "${path}")
      set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${path}")
    endif()
  endforeach()
endif()
if(NOT epoch MATCHES "^[0-9]+$")
  set(epoch "$ENV{SOURCE_DATE_EPOCH}")
endif()
if(NOT epoch MATCHES "^[0-9]+$")
  file(TIMESTAMP ${PROJECT_SOURCE_DIR}/CMakeLists.txt epoch "%s" UTC)
endif()

# string(TIMESTAMP) formats SOURCE_DATE_EPOCH when it is set.
set(saved "$ENV{SOURCE_DATE_EPOCH}")
set(ENV{SOURCE_DATE_EPOCH} ${epoch})
string(TIMESTAMP KOVO_SOURCE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP KOVO_SOURCE_DATE_RFC2822 "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(ENV{SOURCE_DATE_EPOCH} "${saved}")
