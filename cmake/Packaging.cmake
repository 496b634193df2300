# Where everything goes on install. scripts/package.sh builds the Debian
# package from such an install (programs under games/, as a game's are).
include(GNUInstallDirs)

install(TARGETS palabrum RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
set(app_id io.github.palabrum.palabrum)
set(res ${PROJECT_SOURCE_DIR}/resources)
install(FILES ${res}/${app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${res}/${app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${res}/${app_id}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
# The icon is named after the application, as desktops look it up.
install(FILES ${res}/icons/hicolor/scalable/apps/palabrum.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${app_id}.svg)
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${res}/icons/hicolor/${size}x${size}/apps/palabrum.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${app_id}.png)
endforeach()
install(FILES ${res}/palabrum.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
# The program looks for its help here first (see shell/help_file.cpp).
install(FILES ${res}/Palabrum.htm ${res}/Palabrum.de.htm ${res}/Palabrum.es.htm
        DESTINATION ${CMAKE_INSTALL_DATADIR}/palabrum)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/palabrum)
