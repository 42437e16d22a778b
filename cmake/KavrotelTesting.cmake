# GoogleTest from Debian's sources, built with this configuration's compiler and flags.
# Windows test executables run under Wine as the cross-compiling emulator.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

if(WIN32)
  set(KAVROTEL_WINEPREFIX "${CMAKE_BINARY_DIR}/../wineprefix" CACHE PATH "Wine prefix for the Windows tests")
  set(CMAKE_CROSSCOMPILING_EMULATOR
      ${PROJECT_SOURCE_DIR}/tools/wine-run ${KAVROTEL_WINE_LOADER} ${KAVROTEL_WINEPREFIX})
endif()

# The executables marked THREADED (their cases start threads) are what the ThreadSanitizer
# configuration builds, through this target, and runs; a report fails the test. TSAN_FILTER, a
# GoogleTest filter, leaves out long single-threaded cases there (the native run has them).
add_custom_target(kavrotel_threaded_tests)

# One executable, one CTest test: a Wine start per test case would be far too slow.
function(kavrotel_add_test name)
  cmake_parse_arguments(T "THREADED" "TSAN_FILTER" "SOURCES;LIBS" ${ARGN})
  if(KAVROTEL_TSAN AND NOT T_THREADED)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} kavrotel_warnings GTest::gmock GTest::gtest_main)
  set(filter "")
  if(KAVROTEL_TSAN AND T_TSAN_FILTER)
    set(filter "--gtest_filter=${T_TSAN_FILTER}")
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1 ${filter})
  if(T_THREADED)
    add_dependencies(kavrotel_threaded_tests ${name})
  endif()
  if(KAVROTEL_TSAN)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1")
  endif()
endfunction()
