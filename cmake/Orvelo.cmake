# Shared helpers: one library per folder, one test binary per test folder.

# orvelo_library(<target> [QT] [EXCLUDE <regex>] DEPS <libs...>)
# Globs the folder's sources so that people working on separate files never
# edit the same list.
function(orvelo_library target)
  cmake_parse_arguments(ARG "QT" "EXCLUDE" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${ARG_EXCLUDE}")
  endif()
  list(FILTER sources INCLUDE REGEX ".*")
  set(cpp ${sources})
  list(FILTER cpp INCLUDE REGEX "\\.cpp$")
  if(NOT cpp)
    # A folder with headers only (or nothing yet) still gives a target to link.
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
endfunction()

# orvelo_test_folder(<target> DEPS <libs...>)
# Builds every *Test.cpp of the folder into one binary and registers each case
# with CTest, run headless with throw-away home and config folders.
function(orvelo_test_folder target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    return()
  endif()
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock)
  set(scratch ${CMAKE_BINARY_DIR}/test-home)
  file(MAKE_DIRECTORY ${scratch}/config ${scratch}/runtime ${scratch}/tmp)
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES
      TIMEOUT 300
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;HOME=${scratch};XDG_CONFIG_HOME=${scratch}/config;XDG_RUNTIME_DIR=${scratch}/runtime;TMPDIR=${scratch}/tmp;ORVELO_TEST=1")
endfunction()
