# What both Windows toolchains share: the mingw-w64 compilers for KAVROTEL_MINGW_TRIPLE (posix
# threads) and their sysroot, where libraries and headers are found and programs are not.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${KAVROTEL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KAVROTEL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KAVROTEL_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KAVROTEL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
