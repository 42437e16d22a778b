# Flags shared by every configuration. Arithmetic must round the same way natively and in
# both Windows builds, so FMA contraction is off everywhere and the i386 build uses SSE2.
add_compile_options(-ffp-contract=off)
# The deliverables' release flags (CMake's own default would be -O3).
set(CMAKE_C_FLAGS_RELEASE "-O2 -DNDEBUG")
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG")

if(WIN32)
  add_compile_definitions(__USE_MINGW_ANSI_STDIO=1 WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    add_compile_options(-msse2 -mfpmath=sse -mstackrealign)
  endif()
  # A deliverable imports only Windows system DLLs.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

if(KAVROTEL_SANITIZE AND KAVROTEL_TSAN)
  message(FATAL_ERROR "KAVROTEL_SANITIZE and KAVROTEL_TSAN cannot be combined")
endif()
if(KAVROTEL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
if(KAVROTEL_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# Coverage for libFuzzer on every file; only the fuzz targets link its driver. Host values
# reach float-to-integer conversions everywhere a fuzzer calls, so those are checked too.
if(KAVROTEL_FUZZ)
  if(NOT (KAVROTEL_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang"))
    message(FATAL_ERROR "KAVROTEL_FUZZ needs clang and KAVROTEL_SANITIZE")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,float-cast-overflow)
  add_link_options(-fsanitize=float-cast-overflow)
endif()

# Warnings as errors on our own code only (third-party sources build with their own habits).
add_library(kavrotel_warnings INTERFACE)
target_compile_options(kavrotel_warnings INTERFACE -Wall -Wextra -Werror -Wno-missing-field-initializers)
target_include_directories(kavrotel_warnings INTERFACE ${PROJECT_SOURCE_DIR})
