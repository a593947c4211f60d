# Install rules (GNUInstallDirs; CMAKE_INSTALL_PREFIX and DESTDIR are honoured). The programs are
# installed by the rules beside their targets; everything else is here.

install(FILES ${CMAKE_SOURCE_DIR}/data/zeltaaudioformat.ini
  DESTINATION ${CMAKE_INSTALL_DATADIR}/zelta)
if(EXISTS ${CMAKE_SOURCE_DIR}/data/skin)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/skin DESTINATION ${CMAKE_INSTALL_DATADIR}/zelta)
endif()

# Desktop integration: the menu entry (with the media types it opens), the AppStream
# description and the icon in the hicolor theme.
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/zelta.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/org.example.zelta.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/data/icons/zelta.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size IN ITEMS 16 22 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/data/icons/zelta-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME zelta.png)
endforeach()

install(FILES ${CMAKE_SOURCE_DIR}/docs/man/zelta.1 ${CMAKE_SOURCE_DIR}/docs/man/zelta-convert.1
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
