# Cross-compiles for Windows x86-64 with mingw-w64 (posix threads); tests run under wine64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KAVROTEL_MINGW_TRIPLE x86_64-w64-mingw32)
set(KAVROTEL_WINE_LOADER /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
