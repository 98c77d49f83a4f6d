# Installing into a prefix and the Debian package.
#   cmake --install build --prefix /usr      (DESTDIR=... for a staging folder)
#   cd build && cpack -G DEB                  (fischkladde_<version>_<arch>.deb)
# An installed program finds its manual and the example templates in
# <prefix>/share/fischkladde and keeps its data in the per-user folder.
include(GNUInstallDirs)

set(FK_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(FK_APP_ID de.fischkladde.Fischkladde)
set(FK_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/fischkladde)

# The window icon is built into the program; the desktop gets the same pictures.
set(FK_ICON_PNGS)
foreach(size 16 32 48 64 128 256)
  list(APPEND FK_ICON_PNGS ${FK_PACKAGING_DIR}/icons/${size}/fischkladde.png)
endforeach()
qt_add_resources(fischkladde fk_icons PREFIX /icons BASE ${FK_PACKAGING_DIR}/icons FILES ${FK_ICON_PNGS})

# Screenshots of every window on the sample data (scripts/screenshots.sh); not installed.
add_executable(fischkladde-screens ${CMAKE_SOURCE_DIR}/tools/screenshots.cpp)
target_link_libraries(fischkladde-screens PRIVATE fk_ui)
qt_add_resources(fischkladde-screens fk_icons_screens PREFIX /icons BASE ${FK_PACKAGING_DIR}/icons FILES ${FK_ICON_PNGS})

# Example HTML templates: beside the built program as "templates", like the installed layout.
file(GLOB FK_TEMPLATES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/templates/*.html)
foreach(t ${FK_TEMPLATES})
  get_filename_component(name ${t} NAME)
  configure_file(${t} ${CMAKE_BINARY_DIR}/templates/${name} COPYONLY)
endforeach()

install(TARGETS fischkladde fischkladde-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/Anleitung.pdf DESTINATION ${FK_SHARE_DIR})
install(DIRECTORY DESTINATION ${FK_SHARE_DIR}/templates)
if(FK_TEMPLATES)
  install(FILES ${FK_TEMPLATES} DESTINATION ${FK_SHARE_DIR}/templates)
endif()
install(FILES ${FK_PACKAGING_DIR}/${FK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${FK_PACKAGING_DIR}/${FK_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${FK_PACKAGING_DIR}/fischkladde.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256 512)
  install(FILES ${FK_PACKAGING_DIR}/icons/${size}/fischkladde.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${FK_PACKAGING_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/fischkladde)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME fischkladde)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Fischkladde")
set(CPACK_PACKAGE_CONTACT "Fischkladde <fischkladde@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Fangbuch für Angler (catch log for anglers)")
set(CPACK_PACKAGE_DESCRIPTION "Die Fischkladde hält jeden Fang fest (Fischart, Länge, Gewicht, Gewässer, Köder, Wetter, Bilder, Kartenposition) und berechnet Sonnen- und Mondzeiten. Sie zeigt Übersichten, Statistiken und eine Fangempfehlung, führt Buch über Angelkosten und schreibt PDF-Berichte.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries come from dpkg-shlibdeps; the Qt window plugin, Qt's German texts and the
# program that opens the manual are loaded at run time and must be named.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
include(CPack)

# The installed tree: files in place, launcher and metainfo valid, the installed programs run.
add_test(NAME install_tree
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/check_install.sh ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
set_tests_properties(install_tree PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
