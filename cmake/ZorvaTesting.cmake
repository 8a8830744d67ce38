# Test helpers shared by both builds.
#
# Natively, GoogleTest comes from Debian's libgtest-dev and each test case is
# discovered by ctest. In the Windows build, GoogleTest is built from the
# sources Debian ships with the cross compiler, and each test executable runs
# under Wine (the toolchain's emulator) in a prefix private to the build folder.

set(ZORVA_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix")

macro(zorva_find_gtest)
  if(CMAKE_CROSSCOMPILING)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    # googletest's own build already names its targets GTest::gtest and the like.
  else()
    find_package(GTest REQUIRED)
    include(GoogleTest)
  endif()
endmacro()

# The environment a test of the Windows build runs in, plus EXTRA entries.
# A test that names a WINEPREFIX of its own runs there, with its own Wine
# server; the others share the build's prefix.
function(zorva_test_environment out)
  set(env ${ARGN})
  list(FILTER env INCLUDE REGEX "^WINEPREFIX=")
  set(own_prefix "${env}")
  set(env ${ARGN})
  if(CMAKE_CROSSCOMPILING AND NOT own_prefix)
    list(APPEND env "WINEPREFIX=${ZORVA_WINEPREFIX}")
  endif()
  set(${out} "${env}" PARENT_SCOPE)
endfunction()

# zorva_add_gtest(<name> SOURCES ... [LIBRARIES ...] [ENVIRONMENT VAR=value ...]
#                 [LABELS ...])
function(zorva_add_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBRARIES;ENVIRONMENT;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBRARIES} zorva_base GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  zorva_test_environment(env ${T_ENVIRONMENT})
  if(CMAKE_CROSSCOMPILING)
    # One ctest entry per executable: starting Wine once per case would be slow.
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" LABELS "${T_LABELS}")
  else()
    # An empty value would swallow the next property's name.
    set(properties "")
    if(env)
      list(APPEND properties ENVIRONMENT "${env}")
    endif()
    if(T_LABELS)
      list(APPEND properties LABELS "${T_LABELS}")
    endif()
    gtest_discover_tests(${name} TEST_PREFIX "${name}." PROPERTIES ${properties} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
