# Which front end is built: the one choice of the build, made here. Each
# folder lists its portable sources, then adds its subfolder named after the
# front end, if it has one (tarnwick_add_frontend); that subfolder lists its
# own sources once. Nothing else in the build asks which system it is for.
if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
  set(default win32)
elseif(CMAKE_SYSTEM_NAME STREQUAL "Emscripten")
  set(default web)
else()
  set(default qt)
endif()
set(TARNWICK_FRONTEND "${default}" CACHE STRING "The front end to build: qt, win32 or web")
set_property(CACHE TARNWICK_FRONTEND PROPERTY STRINGS qt win32 web)
if(NOT TARNWICK_FRONTEND MATCHES "^(qt|win32|web)$")
  message(FATAL_ERROR "TARNWICK_FRONTEND is qt, win32 or web, not \"${TARNWICK_FRONTEND}\"")
endif()
message(STATUS "Front end: ${TARNWICK_FRONTEND}")

# The files as POSIX has them (platform/posixfiles.cpp) serve every front
# end on a system that has POSIX: Qt on Linux and the browser.
if(TARNWICK_FRONTEND STREQUAL "win32")
  set(TARNWICK_POSIX OFF)
else()
  set(TARNWICK_POSIX ON)
endif()

# What only Linux's kernel does (FIFOs, /proc, file size limits) is tested
# where the programs run on it.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  set(TARNWICK_LINUX ON)
else()
  set(TARNWICK_LINUX OFF)
endif()

# Tests of a program built for another system run under its emulator (Wine,
# node), one CTest test per program, named with the front end's prefix and
# built with the options that running there needs.
set(TARNWICK_TEST_PREFIX "")
set(TARNWICK_CROSS_TEST_PROPERTIES "")
set(TARNWICK_TEST_COMPILE_OPTIONS "")
set(TARNWICK_TEST_LINK_OPTIONS "")

if(TARNWICK_FRONTEND STREQUAL "qt")
  find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets Multimedia Test)
  set(CMAKE_AUTOMOC ON)
  # A test of real windows, offscreen (cmake/win32.cmake has Windows' own).
  function(tarnwick_add_window_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    tarnwick_add_test(${name} SOURCES ${T_SOURCES} LIBS ${T_LIBS} Qt6::Test ENV QT_QPA_PLATFORM=offscreen)
  endfunction()
elseif(TARNWICK_FRONTEND STREQUAL "win32")
  enable_language(RC)
  # One self-contained .exe each: no runtime DLL has to ship beside them.
  add_link_options(-static)
  include("${CMAKE_CURRENT_LIST_DIR}/win32.cmake")
  set(TARNWICK_TEST_PREFIX "windows_")
  # Every test program under Wine, in a prefix of this build made first.
  set(TARNWICK_CROSS_TEST_PROPERTIES FIXTURES_REQUIRED wine_prefix ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wine")
elseif(TARNWICK_FRONTEND STREQUAL "web")
  set(TARNWICK_TEST_PREFIX "web_")
  # size_t is 32 bits in WebAssembly: a 64-bit count narrowed without a
  # check would wrap there, so the narrowing the other systems never see
  # stops the build.
  add_compile_options(-Werror=shorten-64-to-32)
  # WebAssembly's own block copy (every current browser has it): the frame
  # is composed of 20-pixel rows copied tile by tile, which the library's
  # memcpy loop made 2.3 times slower.
  add_compile_options(-mbulk-memory)
  add_link_options(-mbulk-memory)
  # Debian's emcc runs node scripts at link time that find their modules
  # only through NODE_PATH: set for every link, whoever starts the build.
  set_property(GLOBAL PROPERTY RULE_LAUNCH_LINK "${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs")
  # The test programs run under node (CMAKE_CROSSCOMPILING_EMULATOR) and
  # read and write the machine's real files: their cases, temporary folders.
  # Emscripten compiles without catching exceptions unless asked; the tests
  # check what a throwing tick leaves behind. Linked at -O1, a test program
  # skips wasm-opt's slowest passes: 0.6 s to link instead of 5 s.
  set(TARNWICK_TEST_COMPILE_OPTIONS -fexceptions)
  set(TARNWICK_TEST_LINK_OPTIONS -fexceptions -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1 -O1)
endif()

# The benchmarks measure the rules through the Qt window on this machine,
# and in a browser page.
if(TARNWICK_FRONTEND MATCHES "^(qt|web)$")
  option(TARNWICK_BENCH "Build the benchmarks" ON)
else()
  set(TARNWICK_BENCH OFF)
endif()

# Adds the calling folder's subfolder of the chosen front end, if it has one.
macro(tarnwick_add_frontend)
  if(EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${TARNWICK_FRONTEND}/CMakeLists.txt")
    add_subdirectory(${TARNWICK_FRONTEND})
  endif()
endmacro()

# Gives a program the pictures, loaded as the front end loads them. A
# Windows program carries them as resources of its own: resources never
# link from a library.
function(tarnwick_use_pictures target)
  target_link_libraries(${target} PRIVATE tarnwick_assets)
  if(TARNWICK_FRONTEND STREQUAL "win32")
    tarnwick_win32_resources(${target})
  endif()
endfunction()
