# Cross toolchain for the 32-bit Windows program (the player's build): MinGW-w64 i686, run under Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ORNEL_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
