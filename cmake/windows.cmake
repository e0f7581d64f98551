# Windows build (cross-compiled with MinGW): the game and the Windows-side tests.
add_library(ornel_core STATIC ${ORNEL_CORE_SOURCES})
target_include_directories(ornel_core PUBLIC ${CMAKE_SOURCE_DIR})
