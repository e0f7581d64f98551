# Native build: the folder libraries, GoogleTest suite under CTest, ornel-tool, benchmarks.
find_package(GTest REQUIRED)
include(GoogleTest)
enable_testing()

if(ORNEL_SANITIZE)
  set(ORNEL_SAN_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
endif()

# The libraries for the tests and ornel-tool (sanitised when ORNEL_SANITIZE is on) ...
ornel_add_layers("" PUBLIC_OPTIONS ${ORNEL_SAN_FLAGS})
# ... and the same libraries again, unsanitised and optimised, for the benchmarks, so timings mean something.
if(ORNEL_BENCH)
  ornel_add_layers(_fast COMPILE_OPTIONS -O2)
endif()

add_executable(ornel-tool ${CMAKE_SOURCE_DIR}/tools/ornel_tool_main.cpp)
target_link_libraries(ornel-tool PRIVATE ornel_tools)

file(GLOB TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*.cpp)
# Tests of the window code (*_win.cpp) run only in the Windows build, under Wine.
list(FILTER TEST_SOURCES EXCLUDE REGEX "_win\\.cpp$")
add_executable(ornel_tests ${TEST_SOURCES})
target_compile_definitions(ornel_tests PRIVATE ORNEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
  ORNEL_TOOL_PATH="$<TARGET_FILE:ornel-tool>")
target_link_libraries(ornel_tests PRIVATE ornel_tools ornel_app GTest::gtest GTest::gtest_main)
add_dependencies(ornel_tests ornel-tool)
gtest_discover_tests(ornel_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS native)

# The folders' #include lines follow the layers, and the
# check itself finds offences planted in a scratch tree.
find_program(ORNEL_BASH bash REQUIRED)
add_test(NAME layer_check COMMAND ${ORNEL_BASH} ${CMAKE_SOURCE_DIR}/scripts/check-layers.sh ${CMAKE_SOURCE_DIR})
add_test(NAME layer_check_planted COMMAND ${ORNEL_BASH} ${CMAKE_SOURCE_DIR}/tests/check_layers_test.sh)
# The set-up scripts against stand-ins: which Windows build runs here, and an install through a
# broken archive.
add_test(NAME setup_scripts COMMAND ${ORNEL_BASH} ${CMAKE_SOURCE_DIR}/tests/setup_scripts_test.sh)
# No two source files of the game call each other, read from this build's objects.
add_test(NAME cycle_check COMMAND ${ORNEL_BASH} ${CMAKE_SOURCE_DIR}/scripts/check-cycles.sh ${CMAKE_BINARY_DIR} ${CMAKE_NM})
add_test(NAME cycle_check_planted COMMAND ${ORNEL_BASH} ${CMAKE_SOURCE_DIR}/tests/check_cycles_test.sh)
set_tests_properties(layer_check layer_check_planted cycle_check cycle_check_planted setup_scripts
  PROPERTIES LABELS native)

if(ORNEL_BENCH)
  find_package(benchmark REQUIRED)
  file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
  # The Windows timing programs (*_win.cpp) are built only in the Windows build.
  list(FILTER BENCH_SOURCES EXCLUDE REGEX "_win\\.cpp$")
  add_executable(ornel_bench ${BENCH_SOURCES})
  target_link_libraries(ornel_bench PRIVATE ornel_tools_fast ornel_app_fast benchmark::benchmark
    benchmark::benchmark_main)
  target_compile_options(ornel_bench PRIVATE -O2)
endif()

# A short fuzz run of every target (scripts/fuzz.sh, about a minute in all), when clang with libFuzzer is there.
set(ORNEL_FUZZ_SECONDS 8 CACHE STRING "Seconds per fuzz target in the CTest fuzz run (0: no fuzz test)")
find_program(ORNEL_FUZZ_CXX NAMES clang++ clang++-14)
if(ORNEL_FUZZ_CXX AND ORNEL_FUZZ_SECONDS GREATER 0)
  execute_process(COMMAND ${ORNEL_FUZZ_CXX} -print-resource-dir OUTPUT_VARIABLE clang_resources
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  file(GLOB_RECURSE libfuzzer_found "${clang_resources}/lib/*libclang_rt.fuzzer-*.a")
  if(libfuzzer_found)
    add_test(NAME fuzz_all_targets COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/fuzz.sh ${ORNEL_FUZZ_SECONDS})
    set_tests_properties(fuzz_all_targets PROPERTIES LABELS fuzz TIMEOUT 1200
      ENVIRONMENT "ORNEL_FUZZ_BUILD=${CMAKE_BINARY_DIR}/fuzz;ORNEL_FUZZ_CXX=${ORNEL_FUZZ_CXX}")
  endif()
endif()
