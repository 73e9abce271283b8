# Each source folder is one static library named kovo_<folder>, built from every
# .cpp file in it, so that adding a file needs no edit here.
function(kovo_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_library(kovo_${name} STATIC ${sources})
  target_include_directories(kovo_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(kovo_${name} PUBLIC ${ARG_DEPS})
endfunction()

# One GoogleTest executable per test folder, from every .cpp file in it, or
# in the FOLDERS named (relative to it) when a library has subsystem folders.
function(kovo_test_folder name)
  cmake_parse_arguments(ARG "" "" "DEPS;FOLDERS" ${ARGN})
  if(NOT ARG_FOLDERS)
    set(ARG_FOLDERS .)
  endif()
  set(sources)
  foreach(folder ${ARG_FOLDERS})
    file(GLOB folder_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
    list(APPEND sources ${folder_sources})
  endforeach()
  if(NOT sources)
    return()
  endif()
  add_executable(${name}_tests ${sources})
  target_link_libraries(${name}_tests PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name}_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_definitions(${name}_tests PRIVATE
    KOVO_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    KOVO_SAMPLES="${PROJECT_SOURCE_DIR}/samples")
  # Labelled by folder, so that a run can pick folders: ctest -L '^model$'.
  gtest_discover_tests(${name}_tests DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} PROPERTIES LABELS ${name})
endfunction()
