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
install(DIRECTORY content/data/licences/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/rondelix)

set(CPACK_PACKAGE_NAME "rondelix")
set(CPACK_PACKAGE_VENDOR "Quillfern Studio")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Arcade game: steer a rolling ball to the exit in time")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Rondelix is a single-player arcade game. The player steers a rolling ball along the "
       "lanes of a grid board, collects coins, dodges other balls that enter through "
       "vortexes and reaches the exit before the clock's seven lights go out.")
set(CPACK_PACKAGE_CONTACT "Quillfern Studio <games@quillfern.example>")
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
