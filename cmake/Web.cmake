# The browser build, with emscripten's toolchain (the "web" preset): the game and its
# page in build/web/ (index.html, rondelix.js, its worker, the wasm, the preloaded
# data and the manual, manual.html), and the headless runner as WebAssembly for node, so the engine and the game
# can be checked under wasm against the native runner. Tools, tests, benchmarks and
# fuzzers stay native; the data archive comes from the native build
# (RONDELIX_WEB_DATA, which scripts/web sets).

find_package(Threads REQUIRED)

include(cmake/Targets.cmake)

# ---- engine + game ------------------------------------------------------------------
# No libpng in this toolchain: screenshots are not taken in the browser.
list(FILTER RONDELIX_CORE_SOURCES EXCLUDE REGEX "/src/engine/screen/QxPng\\.cpp$")
rondelix_core(${RONDELIX_CORE_SOURCES} src/platform/web/png/WebPng.cpp)
# The loading thread is a real thread: shared memory and a small worker pool.
target_compile_options(rondelix_core PUBLIC -pthread)
# The game fits in the first 128 MB; memory may still grow (a larger data set), which
# with threads slows JavaScript's reads of the game's memory a little.
target_link_options(rondelix_core PUBLIC -pthread -sPTHREAD_POOL_SIZE=2
                                          -sALLOW_MEMORY_GROWTH=1 -Wno-pthreads-mem-growth)

rondelix_binding(headless)

# ---- the headless runner under node -----------------------------------------------------
# It reads and writes the real folders it is given (NODERAWFS).
file(GLOB RONDELIX_RUNNER_SOURCES CONFIGURE_DEPENDS tools/rondelix-headless/*.cpp)
add_executable(rondelix-headless ${RONDELIX_RUNNER_SOURCES})
target_include_directories(rondelix-headless PRIVATE tools)
target_link_options(rondelix-headless PRIVATE -sNODERAWFS=1 -sEXIT_RUNTIME=1)
rondelix_link(rondelix-headless headless)
rondelix_warnings(rondelix-headless)

# ---- the game in the browser ----------------------------------------------------------
set(RONDELIX_WEB_DATA "" CACHE FILEPATH "The data archive (Rondelix.qxa) the page preloads")
if(NOT RONDELIX_WEB_DATA OR NOT EXISTS "${RONDELIX_WEB_DATA}")
    message(STATUS "Web: no data archive given (RONDELIX_WEB_DATA); the page is not built")
    return()
endif()

rondelix_binding(web)
# Inline JavaScript (EM_ASM, EM_JS) names its arguments $0, $1, ...
target_compile_options(rondelix_platform_web PRIVATE -Wno-dollar-in-identifier-extension)
set(_page ${CMAKE_SOURCE_DIR}/src/platform/web/page)
set(_manual ${CMAKE_SOURCE_DIR}/docs/manual/manual.html)
add_executable(rondelix src/platform/web/entry/Main.cpp)
rondelix_link(rondelix web)
rondelix_warnings(rondelix)
target_compile_options(rondelix PRIVATE -Wno-dollar-in-identifier-extension)
# The game runs on a thread of its own (PROXY_TO_PTHREAD), so its loop waits and sleeps
# as on the desktop while the browser's thread handles the page; the data archive is
# preloaded into /data, and the player's files live in IndexedDB through IDBFS.
target_link_options(rondelix PRIVATE
    -sPROXY_TO_PTHREAD=1 -sEXIT_RUNTIME=0 -sFORCE_FILESYSTEM=1 -sINITIAL_MEMORY=134217728
    -lopenal -lidbfs.js -sEXPORTED_RUNTIME_METHODS=FS --pre-js ${_page}/storage.js
    # SHELL: keeps each pair whole; CMake drops a repeated option otherwise.
    "SHELL:--preload-file ${RONDELIX_WEB_DATA}@/data/Rondelix.qxa"
    "SHELL:--preload-file ${_manual}@/data/manual.html")
set_target_properties(rondelix PROPERTIES
    LINK_DEPENDS "${_page}/storage.js;${RONDELIX_WEB_DATA};${_manual}")
# The manual is served beside the page, where the Website button opens it; the copy in
# the data tells the game that it is there, as the file beside the archive does on the
# desktop.
add_custom_command(TARGET rondelix POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_page}/index.html
            $<TARGET_FILE_DIR:rondelix>/index.html
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_manual}
            $<TARGET_FILE_DIR:rondelix>/manual.html)
