# CPack runs this after installing into its staging folder, before it makes the Debian
# package: Debian keeps games' programs in /usr/games, where a plain `cmake --install`
# keeps bin/. The program finds its data from either (<prefix>/share/rondelix).
set(_usr "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
if(EXISTS "${_usr}/bin/rondelix")
    file(MAKE_DIRECTORY "${_usr}/games")
    file(RENAME "${_usr}/bin/rondelix" "${_usr}/games/rondelix")
    file(GLOB _left "${_usr}/bin/*")
    if(NOT _left)
        file(REMOVE_RECURSE "${_usr}/bin")
    endif()
endif()
