# The library, the platform bindings and the unit-test program, declared once for the
# native build and the Windows cross build; each build adds only what differs.

file(GLOB_RECURSE RONDELIX_CORE_SOURCES CONFIGURE_DEPENDS
     src/app/*.cpp src/engine/*.cpp src/game/*.cpp)

# Each desktop binding's own tests are built with that binding. The web binding's
# browser-free parts (pixels, mouse mapping, event translation, the pad layout) are tested
# natively, so the test program builds them too.
file(GLOB_RECURSE RONDELIX_TEST_SOURCES CONFIGURE_DEPENDS tests/*.cpp)
list(FILTER RONDELIX_TEST_SOURCES EXCLUDE REGEX "/tests/platform/(sdl|win32)/")
set(RONDELIX_WEB_PORTABLE_SOURCES src/platform/web/WebEvents.cpp src/platform/web/WebGamepad.cpp
                                   src/platform/web/WebMouse.cpp src/platform/web/WebPixels.cpp)
list(APPEND RONDELIX_TEST_SOURCES ${RONDELIX_WEB_PORTABLE_SOURCES})
# A build that runs only some of the tests may compile only their sources (a regular
# expression on the path; the shared support always comes along): the thread-sanitizer
# build runs the game-flow and loading tests, and compiling the rest took minutes of CI.
set(RONDELIX_TEST_FILES "" CACHE STRING "Compile only the test sources whose paths match")
if(RONDELIX_TEST_FILES)
    list(FILTER RONDELIX_TEST_SOURCES INCLUDE REGEX "${RONDELIX_TEST_FILES}|/tests/support/")
endif()

# rondelix_core(SOURCES...): the engine and game, one library.
function(rondelix_core)
    add_library(rondelix_core STATIC ${ARGN})
    target_include_directories(rondelix_core PUBLIC src)
    target_link_libraries(rondelix_core PUBLIC Threads::Threads)
    rondelix_warnings(rondelix_core)
endfunction()

# Shared binding code lives directly in src/platform; each binding in its folder.
# Files under <binding>/entry hold the process entry point and go only into the game.
function(rondelix_binding name)
    file(GLOB _src CONFIGURE_DEPENDS src/platform/*.cpp src/platform/${name}/*.cpp)
    # The Linux desktop and the browser both play sound through OpenAL and take their
    # clocks and threads from the C++ library.
    if(name STREQUAL "sdl" OR name STREQUAL "web")
        file(GLOB _shared CONFIGURE_DEPENDS src/platform/openal/*.cpp src/platform/stdlib/*.cpp)
        list(APPEND _src ${_shared})
    endif()
    # The browser keeps saved files by writing them out to its storage instead.
    if(name STREQUAL "web")
        list(FILTER _src EXCLUDE REGEX "/src/platform/FileFlushPosix\\.cpp$")
    endif()
    if(NOT name STREQUAL "win32")
        file(GLOB _registry CONFIGURE_DEPENDS src/platform/fileregistry/*.cpp)
        list(APPEND _src ${_registry})
    endif()
    add_library(rondelix_platform_${name} STATIC ${_src})
    target_link_libraries(rondelix_platform_${name} PUBLIC rondelix_core)
    rondelix_warnings(rondelix_platform_${name})
endfunction()

# The core calls into whichever binding the final program links.
function(rondelix_link target binding)
    target_link_libraries(${target} PRIVATE rondelix_platform_${binding} rondelix_core
                                            rondelix_platform_${binding})
endfunction()

# rondelix_test_program(NAME BINDING SOURCES...): a GoogleTest program.
function(rondelix_test_program name binding)
    add_executable(${name} ${ARGN})
    rondelix_link(${name} ${binding})
    target_link_libraries(${name} PRIVATE GTest::gtest GTest::gmock GTest::gtest_main)
    target_include_directories(${name} PRIVATE tests)
    rondelix_warnings(${name})
endfunction()
