# Windows build (cross-compiled with MinGW): the game, and the test suite run under Wine.
enable_language(RC)
enable_testing()

# Everything is linked statically so that the .exe files need no MinGW DLL beside them.
set(ORNEL_WIN_LINK -static -static-libgcc -static-libstdc++)

# One library per folder, each with its *_win.cpp files; the window tests drive the real window
# code through them, and the program adds only its entry point and resources.
ornel_add_layers("")

file(GLOB ORNEL_RESOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/*.rc)
# The resource script includes the pictures' list, the pictures and the manifests: a change to any of
# them compiles it again.
file(GLOB ORNEL_RESOURCE_INPUTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/*.rc2 ${CMAKE_SOURCE_DIR}/app/*.manifest
  ${CMAKE_SOURCE_DIR}/app/pictures/*.bmp)
set_source_files_properties(${ORNEL_RESOURCES} PROPERTIES OBJECT_DEPENDS "${ORNEL_RESOURCE_INPUTS}")
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

# What CTest runs of this build here. A machine that runs no 32-bit code cannot start the 32-bit
# build's programs, and one that runs both widths tests the second width's window tests only
# (scripts/test.sh chooses, from scripts/wine-env.sh):
#   all           the window tests, the monkey, the end-to-end scenarios, the release's start-up
#   window-tests  the window test program alone
#   none          nothing that starts a program: those tests are listed as Disabled
# The release's package check reads files only and runs in every mode.
set(ORNEL_WIN_RUN all CACHE STRING "Which tests of this Windows build CTest runs: all, window-tests or none")
set_property(CACHE ORNEL_WIN_RUN PROPERTY STRINGS all window-tests none)
# Test names of the 64-bit build end in _win64, so both widths can share one CTest run.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(ORNEL_WIN_BITS 64)
  set(ORNEL_TEST_SUFFIX _win64)
  set(ORNEL_WINDOW_TESTS ornel_tests_win64)
else()
  set(ORNEL_WIN_BITS 32)
  set(ORNEL_TEST_SUFFIX "")
  set(ORNEL_WINDOW_TESTS ornel_tests_win)
endif()

# ornel_windows_test(NAME KIND COMMAND...): a test that starts a program of this build under Wine,
# in this build's own Wine prefix; KIND is window-tests or all, the least ORNEL_WIN_RUN that runs
# it. GUI tests take turns on the one screen (RESOURCE_LOCK), whichever build they belong to.
function(ornel_windows_test name kind)
  if(ORNEL_WIN_RUN STREQUAL "window-tests" AND kind STREQUAL "all")
    return()
  endif()
  add_test(NAME ${name} COMMAND ${ARGN})
  set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine-desktop
    ENVIRONMENT "ORNEL_WINE_PREFIX=${CMAKE_BINARY_DIR}/wine-prefix")
  if(ORNEL_WIN_RUN STREQUAL "none")
    set_tests_properties(${name} PROPERTIES DISABLED TRUE)
  endif()
endfunction()

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
  ornel_windows_test(${ORNEL_WINDOW_TESTS} window-tests ornel_tests --gtest_brief=1)
  set_tests_properties(${ORNEL_WINDOW_TESTS} PROPERTIES LABELS windows TIMEOUT 900)

  # The window tests that depend on the display scale again, at 150 % (Wine told the screen has 144
  # dots per inch, in a prefix of its own): the bar's texts fit their controls, the grid is drawn,
  # clicked and played at its scaled size.
  ornel_windows_test(ornel_tests_dpi144${ORNEL_TEST_SUFFIX} window-tests ornel_tests --gtest_brief=1
    --gtest_filter=GameWindowPaint.*:GameWindowCommands.BarControlsOnTheMainWindow:GameWindowCommands.AChangeOfResolution*:GameWindowCommands.BiggerGrows*:GameWindowPlay.WholeGame*:GameWindowPlay.RightClick*:GridPaintTest.At144*:Tooltip*:Rules*)
  if(TEST ornel_tests_dpi144${ORNEL_TEST_SUFFIX})
    set_tests_properties(ornel_tests_dpi144${ORNEL_TEST_SUFFIX} PROPERTIES LABELS windows TIMEOUT 600
      ENVIRONMENT "ORNEL_WINE_PREFIX=${CMAKE_BINARY_DIR}/wine-prefix-dpi144;ORNEL_WINE_DPI=144")
  endif()

  # The monkey run that once made two touching cells hold one digit (a restored game's moves
  # replayed over the player's later ones, then re-done): kept as a regression on the screen
  # size it failed on. scripts/monkey-long.sh runs many more seeds by hand.
  ornel_windows_test(ornel_monkey_4242${ORNEL_TEST_SUFFIX} all ornel_tests --gtest_brief=1 --gtest_filter=MonkeyTest.*)
  if(TEST ornel_monkey_4242${ORNEL_TEST_SUFFIX})
    set_tests_properties(ornel_monkey_4242${ORNEL_TEST_SUFFIX} PROPERTIES LABELS windows TIMEOUT 600
      ENVIRONMENT "ORNEL_WINE_PREFIX=${CMAKE_BINARY_DIR}/wine-prefix;ORNEL_MONKEY_SEED=4242;ORNEL_MONKEY_ACTIONS=20000")
  endif()
endif()

# The game itself, played end to end under Wine on a 1024x768 Xvfb screen (scripts/e2e.sh): one
# test per scenario. Click positions come from the native ornel-tool (scripts/test.sh builds it).
set(ORNEL_TOOL_EXE ${CMAKE_SOURCE_DIR}/build/test-native/ornel-tool CACHE FILEPATH
  "The native ornel-tool that tells the end-to-end scenarios where everything is on the screen")
find_program(ORNEL_BASH bash)
set(ORNEL_E2E_SCENARIOS startup place notes highlight zoom scroll rules language save win hostile pointer window
  starts)
# ornel_e2e_tests(SCRIPT SCENARIO...): one end-to-end test per scenario of scripts/SCRIPT, named
# ornel_e2e_SCENARIO (and the width's suffix), each on the real program with the native ornel-tool.
function(ornel_e2e_tests script)
  foreach(scenario IN LISTS ARGN)
    set(name ornel_e2e_${scenario}${ORNEL_TEST_SUFFIX})
    ornel_windows_test(${name} all
      ${ORNEL_BASH} ${CMAKE_SOURCE_DIR}/scripts/${script} $<TARGET_FILE:ornel> ${ORNEL_TOOL_EXE}
        ${CMAKE_BINARY_DIR}/e2e ${scenario})
    if(TEST ${name})
      set_tests_properties(${name} PROPERTIES LABELS "windows;gui" TIMEOUT 120)
    endif()
  endforeach()
endfunction()

ornel_e2e_tests(e2e.sh ${ORNEL_E2E_SCENARIOS})
# New grids and hints end to end (scripts/e2e-newgrid.sh, the same steps as scripts/e2e.sh).
ornel_e2e_tests(e2e-newgrid.sh newgrid hint hint7 hintsteps)
# Keyboard play and keys that answer boxes end to end (scripts/e2e-keys.sh, the same steps again).
ornel_e2e_tests(e2e-keys.sh keys boxkeys)
# A window kept on the right one of two monitors end to end (scripts/e2e-monitors.sh, the same steps
# on a desktop of two 1024x768 monitors side by side).
ornel_e2e_tests(e2e-monitors.sh monitors)
# The game at a display scale of 150 % and 200 % end to end (scripts/e2e-scale.sh, the same steps on
# a larger screen, in a Wine prefix whose resolution is the scale's).
ornel_e2e_tests(e2e-scale.sh scale150 scale200)

# No two source files call each other, the window half included: read from this build's objects,
# which runs no program, so every mode checks it.
add_test(NAME cycle_check_win${ORNEL_WIN_BITS} COMMAND ${ORNEL_BASH} ${CMAKE_SOURCE_DIR}/scripts/check-cycles.sh
  ${CMAKE_BINARY_DIR} ${CMAKE_NM})
set_tests_properties(cycle_check_win${ORNEL_WIN_BITS} PROPERTIES LABELS windows)

# The release package of scripts/package.sh for this build's width: its check, and the start-up
# scenario on its program. scripts/test.sh names the release build folder here; without it these
# tests are not defined.
set(ORNEL_RELEASE_DIR "" CACHE PATH "Build folder of the release program (build/release) whose package is tested")
if(ORNEL_RELEASE_DIR)
  add_test(NAME release_check${ORNEL_TEST_SUFFIX} COMMAND ${ORNEL_BASH} ${CMAKE_SOURCE_DIR}/scripts/check-release.sh
    ${ORNEL_WIN_BITS})
  set_tests_properties(release_check${ORNEL_TEST_SUFFIX} PROPERTIES LABELS "windows;release" TIMEOUT 120)
  ornel_windows_test(ornel_e2e_startup_release${ORNEL_TEST_SUFFIX} all
    ${ORNEL_BASH} ${CMAKE_SOURCE_DIR}/scripts/e2e.sh ${ORNEL_RELEASE_DIR}/ORNEL.exe ${ORNEL_TOOL_EXE}
      ${CMAKE_BINARY_DIR}/e2e-release startup)
  if(TEST ornel_e2e_startup_release${ORNEL_TEST_SUFFIX})
    set_tests_properties(ornel_e2e_startup_release${ORNEL_TEST_SUFFIX} PROPERTIES
      LABELS "windows;gui;release" TIMEOUT 120)
  endif()
endif()
