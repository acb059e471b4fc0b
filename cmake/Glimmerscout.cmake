# One static library per subsystem folder: every .cpp in the folder (not below it).
function(gs_library name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER srcs INCLUDE REGEX "\\.cpp$|\\.h$")
  set(cpps ${srcs})
  list(FILTER cpps INCLUDE REGEX "\\.cpp$")
  if(cpps)
    add_library(${name} STATIC ${srcs})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    # Every file of a window library reads the widget headers: once for all of them.
    if(ARG_LIBS MATCHES "Qt6::Widgets")
      gs_shared_pch(${name} gs_widget_pch <QApplication> <QWidget> <QPainter> <QImage> <QString> <QTimer>
                                          <functional> <memory> <string> <vector>)
    endif()
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARG_LIBS})
  endif()
  gs_headers(${name} ${srcs})
endfunction()

# Puts headers on a library's include path, and on that of whoever links it,
# under their path below src/ (or below the project): each is linked into a
# folder of the build tree of the library's own. So a file sees its own
# library's headers and those of the libraries it links, never a layer above.
function(gs_headers name)
  set(view ${PROJECT_BINARY_DIR}/headers/${name})
  foreach(header ${ARGN})
    if(NOT header MATCHES "\\.h$")
      continue()
    endif()
    file(RELATIVE_PATH path ${PROJECT_SOURCE_DIR}/src ${header})
    if(path MATCHES "^\\.\\./")
      file(RELATIVE_PATH path ${PROJECT_SOURCE_DIR} ${header})
    endif()
    get_filename_component(folder ${view}/${path} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    file(CREATE_LINK ${header} ${view}/${path} SYMBOLIC)
  endforeach()
  get_target_property(type ${name} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${name} INTERFACE ${view})
  else()
    target_include_directories(${name} PUBLIC ${view})
  endif()
endfunction()

# One test executable per test folder: every .cpp in it, registered test by test.
# Window tests run on Qt's offscreen platform; the test mains set GS_SOURCE_DIR
# and GS_BINARY_DIR for tests that read files of the tree.
# DIR names the folder below tests/ (default: the name before "_tests").
function(gs_tests name)
  cmake_parse_arguments(ARG "" "DIR" "LIBS" ${ARGN})
  if(NOT ARG_DIR)
    string(REPLACE "_tests" "" ARG_DIR ${name})
  endif()
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_DIR}/*.h)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} gs_testsupport GTest::gmock)
  # The tests' own code runs once per case: -O1 compiles it in about two thirds of the time of
  # -O3; the code under test keeps the build's level (the sanitizer build is at -O1 throughout).
  if(NOT GS_SANITIZE)
    target_compile_options(${name} PRIVATE -O1)
  endif()
  # A folder's test files compile eight to a unit: each unit reads GoogleTest's, Qt's and the tested
  # library's headers once (for the search tests about a third of the compiling time of one unit per
  # file). So the helpers of a folder's files, each in its anonymous namespace, need names of their own.
  if(GS_UNITY_TESTS)
    set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  endif()
  # GoogleTest and Qt headers are read once for all test executables (once more for the window tests).
  set(pch <gtest/gtest.h> <gmock/gmock.h> <QCoreApplication> <QObject> <QString> <QTimer>
          <functional> <memory> <string> <vector>)
  if(ARG_LIBS MATCHES "gs_testmain_(gui|application)")
    gs_shared_pch(${name} gs_window_test_pch ${pch} <QApplication> <QWidget> <QImage> <QTest>)
  else()
    gs_shared_pch(${name} gs_test_pch ${pch})
  endif()
  gtest_discover_tests(${name}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()

# A precompiled header made once, by the first target that asks under KEY, and reused by the
# rest (each made its own before, about 6 s of compiling apiece). The compiler takes it only
# where the macros it reads are defined alike (-Winvalid-pch says when not); the Qt modules'
# macros follow the first target's links, so targets of one kind share a key.
function(gs_shared_pch target key)
  get_property(owner GLOBAL PROPERTY ${key})
  if(owner)
    target_precompile_headers(${target} REUSE_FROM ${owner})
  else()
    set_property(GLOBAL PROPERTY ${key} ${target})
    target_precompile_headers(${target} PRIVATE ${ARGN})
  endif()
endfunction()
