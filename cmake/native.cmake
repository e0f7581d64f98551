# Native build: core library, GoogleTest suite under CTest, ornel-tool, benchmarks.
find_package(GTest REQUIRED)
include(GoogleTest)
enable_testing()

if(ORNEL_SANITIZE)
  set(ORNEL_SAN_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
endif()

add_library(ornel_core STATIC ${ORNEL_CORE_SOURCES})
target_include_directories(ornel_core PUBLIC ${CMAKE_SOURCE_DIR})

# A second, unsanitised copy of the core for the benchmarks, so timings mean something.
add_library(ornel_core_fast STATIC ${ORNEL_CORE_SOURCES})
target_include_directories(ornel_core_fast PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(ornel_core_fast PRIVATE -O2)

if(ORNEL_SANITIZE)
  target_compile_options(ornel_core PUBLIC ${ORNEL_SAN_FLAGS})
  target_link_options(ornel_core PUBLIC ${ORNEL_SAN_FLAGS})
endif()

file(GLOB TOOL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*.cpp)
add_executable(ornel-tool ${TOOL_SOURCES})
target_link_libraries(ornel-tool PRIVATE ornel_core)

file(GLOB TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*.cpp)
# Tests of the window code (*_win.cpp) run only in the Windows build, under Wine.
list(FILTER TEST_SOURCES EXCLUDE REGEX "_win\\.cpp$")
list(FILTER TOOL_SOURCES EXCLUDE REGEX "ornel_tool_main\\.cpp$")
add_executable(ornel_tests ${TEST_SOURCES} ${TOOL_SOURCES})
target_compile_definitions(ornel_tests PRIVATE ORNEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
  ORNEL_TOOL_PATH="$<TARGET_FILE:ornel-tool>")
target_link_libraries(ornel_tests PRIVATE ornel_core GTest::gtest GTest::gtest_main)
add_dependencies(ornel_tests ornel-tool)
gtest_discover_tests(ornel_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS native)

if(ORNEL_BENCH)
  find_package(benchmark REQUIRED)
  file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
  # The Windows timing programs (*_win.cpp) are built only in the Windows build.
  list(FILTER BENCH_SOURCES EXCLUDE REGEX "_win\\.cpp$")
  add_executable(ornel_bench ${BENCH_SOURCES} ${TOOL_SOURCES})
  target_link_libraries(ornel_bench PRIVATE ornel_core_fast benchmark::benchmark benchmark::benchmark_main)
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
