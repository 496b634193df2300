# Where everything goes on install, and the Debian package built from it.
include(GNUInstallDirs)

install(TARGETS palabrum RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
set(app_id io.github.palabrum.Palabrum)
install(FILES ${PROJECT_SOURCE_DIR}/resources/${app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/${app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
# The program looks for its help here first (see shell/help_file.cpp).
install(FILES ${PROJECT_SOURCE_DIR}/resources/Palabrum.htm DESTINATION ${CMAKE_INSTALL_DATADIR}/palabrum)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/palabrum RENAME copyright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME palabrum)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Palabrum developers")
set(CPACK_PACKAGE_CONTACT "The Palabrum developers <palabrum@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "buzzword bingo for meetings")
set(CPACK_PACKAGE_DESCRIPTION "Palabrum deals 25 phrases onto a 5 by 5 board; mark them as you hear\nthem in a meeting, and five in a line make a bingo.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${PALABRUM_WEB_ADDRESS}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # the Qt libraries, from what the binary links
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, qt6-wayland")
include(CPack)
