# What `cmake --install` lays out for the desktop game, and the Debian package CPack
# makes of it. The program finds its archive in <prefix>/share/rondelix from anywhere.
include(GNUInstallDirs)

install(TARGETS rondelix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET content)
    install(FILES ${RONDELIX_ARCHIVE} DESTINATION ${CMAKE_INSTALL_DATADIR}/rondelix)
    install(FILES docs/manual/manual.html DESTINATION ${CMAKE_INSTALL_DATADIR}/rondelix)
    # The content builder paints the icon; the desktop entry names it by file name.
    install(FILES ${CMAKE_BINARY_DIR}/content-stage/icon/rondelix.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
endif()
install(FILES packaging/linux/rondelix.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The file type of shared level sets, which the desktop entry opens. The package's
# triggers rebuild the desktop's databases; a plain install leaves that to the caller.
install(FILES packaging/linux/rondelix.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
# What software centres show, and the icon at the sizes menus and docks ask for
# (the content builder paints each; 256 is installed above).
install(FILES packaging/linux/example.quillfern_studio.Rondelix.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
if(TARGET content)
    foreach(_size 48 64 128)
        install(FILES ${CMAKE_BINARY_DIR}/content-stage/icon/rondelix-${_size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps
                RENAME rondelix.png)
    endforeach()
endif()
# The man page and the package's changelog, compressed without a time stamp as Debian
# packages carry them, and the package's copyright file beside the font licence.
set(_compressed)
foreach(_file rondelix.6 changelog)
    add_custom_command(
        OUTPUT ${CMAKE_BINARY_DIR}/${_file}.gz
        COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/packaging/linux/${_file} > ${CMAKE_BINARY_DIR}/${_file}.gz
        DEPENDS ${CMAKE_SOURCE_DIR}/packaging/linux/${_file}
        VERBATIM)
    list(APPEND _compressed ${CMAKE_BINARY_DIR}/${_file}.gz)
endforeach()
add_custom_target(packaging_files ALL DEPENDS ${_compressed})
install(FILES ${CMAKE_BINARY_DIR}/rondelix.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz packaging/linux/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/rondelix)
install(DIRECTORY content/data/licences/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/rondelix)

set(CPACK_PACKAGE_NAME "rondelix")
set(CPACK_PACKAGE_VENDOR "Quillfern Studio")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Arcade game: steer a rolling ball to the exit in time")
# Lines broken as the package's control file wants them (under 80 characters).
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Rondelix is a single-player arcade game. The player steers a rolling ball\n"
       "along the lanes of a grid board, collects coins, dodges other balls that\n"
       "enter through vortexes and reaches the exit before the clock's seven lights\n"
       "go out.")
set(CPACK_PACKAGE_CONTACT "Quillfern Studio <games@quillfern.example>")
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/packaging/linux/DebianGames.cmake)
include(CPack)
