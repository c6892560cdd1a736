# Desktop integration: the launcher entry and the application icon.
include(GNUInstallDirs)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/slicewright.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/slicewright.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/Wrights.html DESTINATION ${CMAKE_INSTALL_DATADIR}/slicewright)
