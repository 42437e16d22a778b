# Cross-compiles for Windows i386 with mingw-w64 (posix threads); tests run under wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KAVROTEL_MINGW_TRIPLE i686-w64-mingw32)
set(KAVROTEL_WINE_LOADER /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
