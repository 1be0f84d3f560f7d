# The Windows build: a cross build with mingw-w64 (see mingw-w64-x86_64.cmake) of
# the game with the Win32 binding, and of the unit tests, which run under wine.
# Tools, benchmarks and fuzzers stay native; the data set comes from a native build
# (RONDELIX_NATIVE_BUILD, the folder holding its Rondelix.qxa and content-stage/).

set(RONDELIX_NATIVE_BUILD "${CMAKE_SOURCE_DIR}/build/default" CACHE PATH
    "Native build folder whose content builder made the data set and the icon")
set(RONDELIX_ARCHIVE_SOURCE ${RONDELIX_NATIVE_BUILD}/Rondelix.qxa)
set(RONDELIX_ICON ${RONDELIX_NATIVE_BUILD}/content-stage/icon/rondelix.ico)
foreach(_input ${RONDELIX_ARCHIVE_SOURCE} ${RONDELIX_ICON})
    if(NOT EXISTS ${_input})
        message(FATAL_ERROR "${_input} is missing: build the native `content` target first "
                            "(scripts/windows does)")
    endif()
endforeach()

enable_language(RC)
find_package(Threads REQUIRED)

include(cmake/Targets.cmake)

# ---- engine + game ------------------------------------------------------------------
# PNG files go through the Windows imaging component instead of libpng, which Debian
# does not ship for mingw.
list(FILTER RONDELIX_CORE_SOURCES EXCLUDE REGEX "/src/engine/screen/QxPng\\.cpp$")
rondelix_core(${RONDELIX_CORE_SOURCES} src/platform/win32/png/Win32Png.cpp)
# Windows 7 and later: the API level of every call the program makes.
target_compile_definitions(rondelix_core PUBLIC _WIN32_WINNT=0x0601 WINVER=0x0601
                                                WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_libraries(rondelix_core PUBLIC windowscodecs ole32)

# ---- bindings -------------------------------------------------------------------------
rondelix_binding(headless)
rondelix_binding(win32)
target_link_libraries(rondelix_platform_win32 PUBLIC user32 gdi32 winmm dsound dxguid shell32
                                                     advapi32 ole32)

# ---- the game -------------------------------------------------------------------------
set(RONDELIX_MANIFEST ${CMAKE_BINARY_DIR}/Rondelix.manifest)
configure_file(src/platform/win32/entry/Rondelix.manifest.in ${RONDELIX_MANIFEST} @ONLY)
configure_file(src/platform/win32/entry/Rondelix.rc.in ${CMAKE_BINARY_DIR}/Rondelix.rc @ONLY)
file(GLOB RONDELIX_ENTRY CONFIGURE_DEPENDS src/platform/win32/entry/*.cpp)
add_executable(rondelix WIN32 ${RONDELIX_ENTRY} ${CMAKE_BINARY_DIR}/Rondelix.rc)
set_source_files_properties(${CMAKE_BINARY_DIR}/Rondelix.rc PROPERTIES OBJECT_DEPENDS
                                                                       ${RONDELIX_MANIFEST})
set_target_properties(rondelix PROPERTIES OUTPUT_NAME Rondelix)
rondelix_link(rondelix win32)
rondelix_warnings(rondelix)

# The data set beside the programs: the game reads it from its working folder and the
# data-set tests look for it there.
set(RONDELIX_ARCHIVE ${CMAKE_BINARY_DIR}/Rondelix.qxa)
add_custom_command(OUTPUT ${RONDELIX_ARCHIVE}
                   COMMAND ${CMAKE_COMMAND} -E copy ${RONDELIX_ARCHIVE_SOURCE} ${RONDELIX_ARCHIVE}
                   DEPENDS ${RONDELIX_ARCHIVE_SOURCE} VERBATIM)
add_custom_target(content ALL DEPENDS ${RONDELIX_ARCHIVE})

# ---- tests ------------------------------------------------------------------------------
if(RONDELIX_TESTS)
    enable_testing()
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

    # The runner tests start the native headless tool through a POSIX shell pipe; that
    # tool is a Linux developer program the Windows build does not make.
    list(FILTER RONDELIX_TEST_SOURCES EXCLUDE REGEX "/tests/runner/")
    rondelix_test_program(rondelix_tests headless ${RONDELIX_TEST_SOURCES})
    add_dependencies(rondelix_tests content)

    # The Win32 binding itself: registry, folders, window, sound (needs a display).
    file(GLOB_RECURSE RONDELIX_WIN32_TEST_SOURCES CONFIGURE_DEPENDS tests/platform/win32/*.cpp)
    rondelix_test_program(rondelix_win32_tests win32 ${RONDELIX_WIN32_TEST_SOURCES})

    # One test per program: wine starts in about a second, too slow to start it once
    # per case. The programs see the build's folders as drive Z:.
    foreach(_tests rondelix_tests rondelix_win32_tests)
        add_test(NAME ${_tests} COMMAND ${_tests} --gtest_brief=1
                 WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
        # A crash under wine may still end with exit code 0: the output decides too.
        set_tests_properties(${_tests} PROPERTIES
            FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]|Unhandled exception|Unhandled page fault")
        set_tests_properties(${_tests} PROPERTIES ENVIRONMENT
            "WINEDEBUG=-all;RONDELIX_TEST_TMP=Z:${CMAKE_BINARY_DIR}/test-tmp;RONDELIX_CONTENT_ARCHIVE=Z:${RONDELIX_ARCHIVE};RONDELIX_CONTENT_DIR=Z:${CMAKE_SOURCE_DIR}/content")
    endforeach()
endif()
