# Headers nearly every source file includes, compiled once per target: they
# make up most of the compile time of the small files.
set(PELMOR_PRECOMPILED_HEADERS <memory> <vector> <functional> <optional> <QtCore/QString>
  <QtCore/QObject>)

# One static library per source folder group. Sources are collected from the
# listed folders so that adding a file needs no edit here.
function(pelmor_add_layer name)
  cmake_parse_arguments(LAYER "" "" "DIRECTORIES;LINK" ${ARGN})
  set(sources)
  foreach(directory IN LISTS LAYER_DIRECTORIES)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS
      "${CMAKE_CURRENT_SOURCE_DIR}/${directory}/*.cpp"
      "${CMAKE_CURRENT_SOURCE_DIR}/${directory}/*.h")
    list(APPEND sources ${found})
  endforeach()
  set(implementation_files ${sources})
  list(FILTER implementation_files INCLUDE REGEX "\\.cpp$")
  if(implementation_files)
    add_library(${name} STATIC ${sources})
    target_precompile_headers(${name} PRIVATE ${PELMOR_PRECOMPILED_HEADERS})
    set(scope PUBLIC)
  else()
    # A layer whose folders hold only headers so far.
    add_library(${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${name} ${scope} "${CMAKE_CURRENT_SOURCE_DIR}")
  target_link_libraries(${name} ${scope} ${LAYER_LINK})
endfunction()

# One GoogleTest executable per test folder; every test is registered with CTest.
function(pelmor_add_test_folder name)
  cmake_parse_arguments(SUITE "" "" "DIRECTORIES;LINK" ${ARGN})
  set(sources)
  foreach(directory IN LISTS SUITE_DIRECTORIES)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${directory}/*.cpp")
    list(APPEND sources ${found})
  endforeach()
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources} "${PROJECT_SOURCE_DIR}/tests/Main/TestMain.cpp")
  target_precompile_headers(${name} PRIVATE ${PELMOR_PRECOMPILED_HEADERS} <gtest/gtest.h>)
  target_link_libraries(${name} PRIVATE ${SUITE_LINK} PelmorTestSupport Qt6::Widgets GTest::gmock
    GTest::gtest)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
endfunction()
