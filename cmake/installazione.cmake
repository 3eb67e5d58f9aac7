# SPDX-License-Identifier: GPL-3.0-or-later
# Install layout (GNUInstallDirs, any prefix) and the Debian package built from it by CPack.
set(TV_SHARE "${CMAKE_INSTALL_DATADIR}/torvelando")
set(TV_SUITE_DEMO "${PROJECT_SOURCE_DIR}/examples/suite")

install(TARGETS torvelando-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The report's program, started by torvelando-cli report (found from bin/ like the data).
install(TARGETS torvelando-relazione RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/torvelando)
# share/torvelando is a whole suite: the template of the user's own suite.
install(FILES ${TV_SUITE_DEMO}/impostazioni/dirlav ${TV_SUITE_DEMO}/impostazioni/lavoro
        DESTINATION ${TV_SHARE}/impostazioni)
install(DIRECTORY ${TV_SUITE_DEMO}/lavori/demo DESTINATION ${TV_SHARE}/lavori
        PATTERN ".gitkeep" EXCLUDE)
# Laid by the demo_data target from TV_SHARED_DATA: installing without them is an error.
install(FILES ${TV_SUITE_DEMO}/progra/parametri_per_spettro.txt
              ${TV_SUITE_DEMO}/progra/coordinate_localita.txt
        DESTINATION ${TV_SHARE}/progra)

if(TARGET torvelando)
  install(TARGETS torvelando RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${TV_SUITE_DEMO}/help/torvelando.pdf ${TV_SUITE_DEMO}/help/validazione.pdf
          DESTINATION ${TV_SHARE}/help)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/torvelando.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/torvelando.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/it.torvelando.pannelli_murari.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# The licence, as Debian wants it: the copyright file of the package's documentation.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/copyright
     "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
     "Upstream-Name: torvelando\n\nFiles: *\nCopyright: ${TV_PRODUTTORE}\n"
     "License: GPL-3.0-or-later\n See /usr/share/common-licenses/GPL-3.\n")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME torvelando)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "${TV_PRODUTTORE} <torvelando@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "verifica fuori piano di pannelli murari in zona sismica")
# The summary above is the first line; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Verifica secondo le NTC 2018: calcola la pericolosità sismica del sito (Allegati A e B\n"
    "delle NTC 2008), la forza sul pannello come elemento non strutturale (EC8 4.3.5.2) e\n"
    "la resistenza laterale ad arco (EC6 6.3.2), e dice se la verifica è soddisfatta.\n"
    "Finestra Qt 6 e torvelando-cli per verifiche da riga di comando e a lotti.")
string(REPLACE ";" "" CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# Libraries from the binaries; then what the window loads without linking: the platform plugins
# (only recommended by Qt's own packages), its fonts and the report's, Qt's Italian dialogs, the
# manual's viewer.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET torvelando)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-wine, fonts-dejavu-core, qt6-translations-l10n, xdg-utils")
endif()
include(CPack)
