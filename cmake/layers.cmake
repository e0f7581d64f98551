# The game's folders as one static library each, every library linking only the layers it may use.
#
#   ornel_base      (nothing)
#   ornel_puzzle    base
#   ornel_content   puzzle
#   ornel_render    puzzle
#   ornel_ui        content, render
#   ornel_app       ui
#   ornel_tools     app (the tools may use any part of the game)
#
# A library is the folder's portable .cpp files and, in the Windows build, its *_win.cpp files
# too, except the program's entry point (app/winmain_win.cpp), which belongs to the executable.
# scripts/check-layers.sh holds the same order for the #include lines; the linker holds it for
# the calls, since a library that calls upward fails to link unless the edge is declared here.
set(ORNEL_LAYERS base puzzle content render ui app tools)
set(ORNEL_USES_base "")
set(ORNEL_USES_puzzle base)
set(ORNEL_USES_content puzzle)
set(ORNEL_USES_render puzzle)
set(ORNEL_USES_ui content render)
set(ORNEL_USES_app ui)
set(ORNEL_USES_tools app)

# Windows libraries that a folder's *_win.cpp files call into.
set(ORNEL_WIN32_USES_base "")
set(ORNEL_WIN32_USES_puzzle "")
set(ORNEL_WIN32_USES_content user32 gdi32 kernel32)
set(ORNEL_WIN32_USES_render user32 gdi32)
set(ORNEL_WIN32_USES_ui user32 gdi32 kernel32 winmm)
set(ORNEL_WIN32_USES_app user32 gdi32 kernel32)
set(ORNEL_WIN32_USES_tools "")

set(ORNEL_ENTRY_SOURCE ${CMAKE_SOURCE_DIR}/app/winmain_win.cpp)

# ornel_layer_sources(FOLDER OUT): the .cpp files of FOLDER that go into its library.
function(ornel_layer_sources folder out)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT WIN32)
    list(FILTER sources EXCLUDE REGEX "_win\\.cpp$")
  endif()
  list(REMOVE_ITEM sources ${ORNEL_ENTRY_SOURCE} ${CMAKE_SOURCE_DIR}/tools/ornel_tool_main.cpp)
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

# ornel_add_layers(SUFFIX [COMPILE_OPTIONS ...] [PUBLIC_OPTIONS ...]): adds the seven libraries as
# ornel_FOLDER${SUFFIX}. COMPILE_OPTIONS build the libraries themselves; PUBLIC_OPTIONS (such as
# the sanitizers) are used for compiling and linking whatever uses them as well. Called twice
# natively: once for the tests and tools, once unsanitised ("_fast") for the benchmarks.
function(ornel_add_layers suffix)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "COMPILE_OPTIONS;PUBLIC_OPTIONS")
  foreach(folder IN LISTS ORNEL_LAYERS)
    set(lib ornel_${folder}${suffix})
    ornel_layer_sources(${folder} sources)
    add_library(${lib} STATIC ${sources})
    target_include_directories(${lib} PUBLIC ${CMAKE_SOURCE_DIR})
    target_compile_options(${lib} PRIVATE ${arg_COMPILE_OPTIONS})
    if(arg_PUBLIC_OPTIONS)
      target_compile_options(${lib} PUBLIC ${arg_PUBLIC_OPTIONS})
      target_link_options(${lib} PUBLIC ${arg_PUBLIC_OPTIONS})
    endif()
    foreach(used IN LISTS ORNEL_USES_${folder})
      target_link_libraries(${lib} PUBLIC ornel_${used}${suffix})
    endforeach()
    if(WIN32)
      target_link_libraries(${lib} PUBLIC ${ORNEL_WIN32_USES_${folder}})
    endif()
  endforeach()
endfunction()
