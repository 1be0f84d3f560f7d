# The browser build, with emscripten's toolchain (the "web" preset). For now it makes
# the headless runner as WebAssembly for node, so the engine and the game can be checked
# under wasm against the native runner. The web binding and its page come next.
# Tools, tests, benchmarks and fuzzers stay native.

find_package(Threads REQUIRED)

include(cmake/Targets.cmake)

# ---- engine + game ------------------------------------------------------------------
# No libpng in this toolchain: screenshots are not taken in the browser.
list(FILTER RONDELIX_CORE_SOURCES EXCLUDE REGEX "/src/engine/screen/QxPng\\.cpp$")
rondelix_core(${RONDELIX_CORE_SOURCES} src/platform/web/png/WebPng.cpp)
# The loading thread is a real thread: shared memory and a small worker pool.
target_compile_options(rondelix_core PUBLIC -pthread)
target_link_options(rondelix_core PUBLIC -pthread -sPTHREAD_POOL_SIZE=2
                                          -sALLOW_MEMORY_GROWTH=1)

rondelix_binding(headless)

# ---- the headless runner under node -----------------------------------------------------
# It reads and writes the real folders it is given (NODERAWFS).
file(GLOB RONDELIX_RUNNER_SOURCES CONFIGURE_DEPENDS tools/rondelix-headless/*.cpp)
add_executable(rondelix-headless ${RONDELIX_RUNNER_SOURCES})
target_include_directories(rondelix-headless PRIVATE tools)
target_link_options(rondelix-headless PRIVATE -sNODERAWFS=1 -sEXIT_RUNTIME=1)
rondelix_link(rondelix-headless headless)
rondelix_warnings(rondelix-headless)
