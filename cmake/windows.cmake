# Windows build (cross-compiled with MinGW): the game, and the test suite run under Wine.
enable_language(RC)
enable_testing()

# Everything is linked statically so that the .exe files need no MinGW DLL beside them.
set(ORNEL_WIN_LINK -static -static-libgcc -static-libstdc++)

# One library per folder, each with its *_win.cpp files; the window tests drive the real window
# code through them, and the program adds only its entry point and resources.
ornel_add_layers("")

file(GLOB ORNEL_RESOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/*.rc)
add_executable(ornel WIN32 ${ORNEL_ENTRY_SOURCE} ${ORNEL_RESOURCES})
set_target_properties(ornel PROPERTIES OUTPUT_NAME ORNEL)
target_link_libraries(ornel PRIVATE ornel_app)
# A release carries no symbols (-s), and no link time in its header, so that the same sources
# give the same program, byte for byte, and the same SHA-256.
target_link_options(ornel PRIVATE ${ORNEL_WIN_LINK} "$<$<CONFIG:Release>:-s;-Wl,--no-insert-timestamp>")

# The paint timing program: a console program run by hand (not by CTest), it prints its figures.
add_executable(ornel_paint_bench ${CMAKE_SOURCE_DIR}/bench/paint_timing_win.cpp)
target_link_libraries(ornel_paint_bench PRIVATE ornel_app)
target_link_options(ornel_paint_bench PRIVATE ${ORNEL_WIN_LINK})

# The new-grid timing program: the same kind of console program, timing the portable core alone.
add_executable(ornel_newgrid_timing ${CMAKE_SOURCE_DIR}/bench/new_grid_timing_win.cpp)
target_link_libraries(ornel_newgrid_timing PRIVATE ornel_content)
target_link_options(ornel_newgrid_timing PRIVATE ${ORNEL_WIN_LINK})

option(ORNEL_WIN_TESTS "Build the test suite as a Windows program as well" ON)
set(ORNEL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources to cross-compile")
if(ORNEL_WIN_TESTS AND EXISTS ${ORNEL_GTEST_SOURCE}/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(${ORNEL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

  # The same tests as natively, plus the *_win.cpp tests of the window code. The tools'
  # library comes along so tests can call the tool's functions directly.
  file(GLOB TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*.cpp)
  add_executable(ornel_tests ${TEST_SOURCES})
  target_compile_definitions(ornel_tests PRIVATE ORNEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    ORNEL_TOOL_PATH="" ORNEL_WINDOWS_BUILD=1)
  target_link_libraries(ornel_tests PRIVATE ornel_tools ornel_app gtest gtest_main)
  target_link_options(ornel_tests PRIVATE ${ORNEL_WIN_LINK})

  # One Wine process for the whole suite: starting Wine per test case would cost
  # seconds each. The window tests need an X display (scripts/test.sh gives Xvfb).
  add_test(NAME ornel_tests_win COMMAND ornel_tests --gtest_brief=1)
  set_tests_properties(ornel_tests_win PROPERTIES LABELS windows TIMEOUT 900 RESOURCE_LOCK wine-desktop)

  # The monkey run that once made two touching cells hold one digit (a restored game's moves
  # replayed over the player's later ones, then re-done): kept as a regression on the screen
  # size it failed on. scripts/monkey-long.sh runs many more seeds by hand.
  add_test(NAME ornel_monkey_4242 COMMAND ornel_tests --gtest_brief=1 --gtest_filter=MonkeyTest.*)
  set_tests_properties(ornel_monkey_4242 PROPERTIES LABELS windows TIMEOUT 600 RESOURCE_LOCK wine-desktop
    ENVIRONMENT "ORNEL_MONKEY_SEED=4242;ORNEL_MONKEY_ACTIONS=20000")
endif()

# The game itself, played end to end under Wine on a 1024x768 Xvfb screen (scripts/e2e.sh): one
# test per scenario. Click positions come from the native ornel-tool (scripts/test.sh builds it).
set(ORNEL_TOOL_EXE ${CMAKE_SOURCE_DIR}/build/test-native/ornel-tool CACHE FILEPATH
  "The native ornel-tool that tells the end-to-end scenarios where everything is on the screen")
find_program(ORNEL_BASH bash)
set(ORNEL_E2E_SCENARIOS startup place notes highlight zoom scroll rules language save win hostile pointer window
  starts)
foreach(scenario IN LISTS ORNEL_E2E_SCENARIOS)
  add_test(NAME ornel_e2e_${scenario}
    COMMAND ${ORNEL_BASH} ${CMAKE_SOURCE_DIR}/scripts/e2e.sh $<TARGET_FILE:ornel> ${ORNEL_TOOL_EXE}
      ${CMAKE_BINARY_DIR}/e2e ${scenario})
  # One Wine prefix (one wineserver) for every GUI test: they take turns.
  set_tests_properties(ornel_e2e_${scenario} PROPERTIES LABELS "windows;gui" TIMEOUT 120
    RESOURCE_LOCK wine-desktop)
endforeach()

# New grids and hints end to end (scripts/e2e-newgrid.sh, the same steps as scripts/e2e.sh).
foreach(scenario IN ITEMS newgrid hint)
  add_test(NAME ornel_e2e_${scenario}
    COMMAND ${ORNEL_BASH} ${CMAKE_SOURCE_DIR}/scripts/e2e-newgrid.sh $<TARGET_FILE:ornel> ${ORNEL_TOOL_EXE}
      ${CMAKE_BINARY_DIR}/e2e ${scenario})
  set_tests_properties(ornel_e2e_${scenario} PROPERTIES LABELS "windows;gui" TIMEOUT 120
    RESOURCE_LOCK wine-desktop)
endforeach()

# The release package of scripts/package.sh: its check, and the start-up scenario on its program.
# scripts/test.sh names the release build folder here; without it these tests are not defined.
set(ORNEL_RELEASE_DIR "" CACHE PATH "Build folder of the release program (build/release) whose package is tested")
if(ORNEL_RELEASE_DIR)
  add_test(NAME release_check COMMAND ${ORNEL_BASH} ${CMAKE_SOURCE_DIR}/scripts/check-release.sh)
  set_tests_properties(release_check PROPERTIES LABELS "windows;release" TIMEOUT 120)
  add_test(NAME ornel_e2e_startup_release
    COMMAND ${ORNEL_BASH} ${CMAKE_SOURCE_DIR}/scripts/e2e.sh ${ORNEL_RELEASE_DIR}/ORNEL.exe ${ORNEL_TOOL_EXE}
      ${CMAKE_BINARY_DIR}/e2e-release startup)
  set_tests_properties(ornel_e2e_startup_release PROPERTIES LABELS "windows;gui;release" TIMEOUT 120
    RESOURCE_LOCK wine-desktop)
endif()
