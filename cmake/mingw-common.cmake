# Shared part of the two mingw-w64 toolchain files: Debian's -posix
# compilers (std::thread needs the posix thread model), a static runtime so
# that the programs need only KERNEL32 and msvcrt, and wine to run what was
# built (tests, test discovery) through cmake/wine-run.sh.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${KEST_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KEST_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KEST_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KEST_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# One wine prefix per build folder, so that builds never share a wineserver.
set(CMAKE_CROSSCOMPILING_EMULATOR bash ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${CMAKE_BINARY_DIR}/wineprefix)
# The same optimisation as the Linux build's, without the debug information
# that would make each program some 25 MB.
set(CMAKE_CXX_FLAGS_RELEASE_INIT "-O2 -DNDEBUG")
