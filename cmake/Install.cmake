# What `cmake --install` puts in place: the two programs, the menu entry, the icon in the hicolor
# theme, the file types and the manual page. Every rule belongs to the component "Runtime", the
# one the .deb packs, so libraries, tests and benchmarks never reach an installation.
include(GNUInstallDirs)
set(ORLAMO_DATA_DIR ${PROJECT_SOURCE_DIR}/data)

install(TARGETS orlamo-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)

if(TARGET orlamo)
    install(TARGETS orlamo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
    install(FILES ${ORLAMO_DATA_DIR}/orlamo.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT Runtime)
    install(DIRECTORY ${ORLAMO_DATA_DIR}/icons/hicolor
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons COMPONENT Runtime FILES_MATCHING PATTERN "*.png")
    install(FILES ${ORLAMO_DATA_DIR}/icons/orlamo.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT Runtime)
endif()

# The file types are worth declaring even without the editor: file managers then name them.
install(FILES ${ORLAMO_DATA_DIR}/orlamo-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME orlamo.xml COMPONENT Runtime)

# The manual page carries the project's version.
configure_file(${PROJECT_SOURCE_DIR}/docs/orlamo-cli.1 ${PROJECT_BINARY_DIR}/docs/orlamo-cli.1 @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/docs/orlamo-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
        COMPONENT Runtime)
