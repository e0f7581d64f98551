# Cross toolchain for the 32-bit Windows program: MinGW-w64 (i686, POSIX threads), run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(ORNEL_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${ORNEL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORNEL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ORNEL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ORNEL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# CTest and add_custom_command run the built .exe files through Wine.
find_program(ORNEL_WINE wine)
if(ORNEL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ORNEL_WINE})
endif()
