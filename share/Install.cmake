# Desktop integration: the application icon in the icon theme folders and a menu entry.
# The icon PNGs are rendered from icons/tq6105.svg by icons/make-png.sh.
foreach(size 16 32 48 64 128 256)
  install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/icons/tq6105-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME tq6105.png)
endforeach()
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/icons/tq6105.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
if(UNIX AND NOT APPLE)
  install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/tq6105.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
endif()
