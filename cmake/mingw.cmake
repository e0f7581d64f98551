# Cross toolchain shared by both Windows widths: MinGW-w64 with POSIX threads, set up for the
# target prefix that the width's toolchain file names in ORNEL_MINGW_PREFIX.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${ORNEL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORNEL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ORNEL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ORNEL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# CTest runs the built .exe files through Wine: scripts/wine-run.sh picks the loader and the
# prefix that fit the program's width, so both widths share one way of starting a program.
set(CMAKE_CROSSCOMPILING_EMULATOR bash ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
