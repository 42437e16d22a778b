# libpng: the system's libpng-dev natively; for Windows, and for the fuzz build (so that
# libFuzzer sees libpng's branches), Debian's libpng source compiled here as a static library.
if(NOT WIN32 AND NOT KAVROTEL_FUZZ)
  find_package(PNG REQUIRED)
  return()
endif()

if(NOT EXISTS "${KAVROTEL_LIBPNG_SOURCE}/png.h")
  message(FATAL_ERROR "KAVROTEL_LIBPNG_SOURCE must name a libpng source tree (tools/fetch-libpng.sh fetches one)")
endif()

set(_png ${KAVROTEL_LIBPNG_SOURCE})
add_library(kavrotel_libpng STATIC
  ${_png}/png.c ${_png}/pngerror.c ${_png}/pngget.c ${_png}/pngmem.c ${_png}/pngpread.c
  ${_png}/pngread.c ${_png}/pngrio.c ${_png}/pngrtran.c ${_png}/pngrutil.c ${_png}/pngset.c
  ${_png}/pngtrans.c ${_png}/pngwio.c ${_png}/pngwrite.c ${_png}/pngwtran.c ${_png}/pngwutil.c)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/libpng)
configure_file(${_png}/scripts/pnglibconf.h.prebuilt ${CMAKE_BINARY_DIR}/libpng/pnglibconf.h COPYONLY)
target_include_directories(kavrotel_libpng SYSTEM PUBLIC ${_png} ${CMAKE_BINARY_DIR}/libpng)
target_compile_definitions(kavrotel_libpng PRIVATE PNG_ARM_NEON_OPT=0 PNG_INTEL_SSE_OPT=0)
find_library(KAVROTEL_ZLIB NAMES libz.a z REQUIRED)
target_link_libraries(kavrotel_libpng PUBLIC ${KAVROTEL_ZLIB})
add_library(PNG::PNG ALIAS kavrotel_libpng)
