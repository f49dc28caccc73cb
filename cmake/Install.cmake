# SPDX-FileCopyrightText: 2026 The Korvo developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installing Korvo on Linux, and its Debian package through CPack.
#
# The program folder stays one folder, lib/korvo: the executable finds the window toolkit's module
# (korvo-qt.so), the default Korv.ini, the sample pictures and the user guide beside itself,
# wherever the prefix is. bin/korvo is a relative link to it,
# so the tree can be moved whole. A program folder the user cannot write sends the settings to
# ~/.config/korvo (src/platform/linux/settings_folder.h).
set(KORVO_PROGRAM_DIR lib/korvo)
install(TARGETS korvo RUNTIME DESTINATION ${KORVO_PROGRAM_DIR})
install(TARGETS korvo_qt_toolkit LIBRARY DESTINATION ${KORVO_PROGRAM_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/Korv.ini DESTINATION ${KORVO_PROGRAM_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/fond DESTINATION ${KORVO_PROGRAM_DIR})
# The user guide the about box opens (src/CMakeLists.txt makes it).
install(FILES ${PROJECT_BINARY_DIR}/src/guide.html DESTINATION ${KORVO_PROGRAM_DIR})
file(CREATE_LINK ../${KORVO_PROGRAM_DIR}/korvo ${CMAKE_CURRENT_BINARY_DIR}/bin-korvo SYMBOLIC)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/bin-korvo DESTINATION bin RENAME korvo)

# The packaging files that carry Korvo's identity (the top CMakeLists.txt) are made from their
# templates in packaging/: the menu entry and the metadata are named after the id, the icon is
# installed under it, and the contact and the home page fill the package's documents.
set(KORVO_PACKAGING ${CMAKE_CURRENT_BINARY_DIR}/packaging)
set(KORVO_DESKTOP_ENTRY ${KORVO_PACKAGING}/${KORVO_APP_ID}.desktop)
set(KORVO_METAINFO ${KORVO_PACKAGING}/${KORVO_APP_ID}.metainfo.xml)
set(KORVO_METAINFO_PAGES "")
set(KORVO_COPYRIGHT_SOURCE "")
if(NOT KORVO_HOME_PAGE STREQUAL "")
  # The site is expected to serve docs/screenshots/ as screenshots/.
  string(REGEX REPLACE "/$" "" _korvo_site "${KORVO_HOME_PAGE}")
  string(CONCAT KORVO_METAINFO_PAGES
    "\n  <url type=\"homepage\">${KORVO_HOME_PAGE}</url>"
    "\n  <screenshots>"
    "\n    <screenshot type=\"default\">"
    "\n      <caption>The main window with the picture folder and a preview</caption>"
    "\n      <image>${_korvo_site}/screenshots/Form1.png</image>"
    "\n    </screenshot>"
    "\n    <screenshot>"
    "\n      <caption>The first-run assistant</caption>"
    "\n      <image>${_korvo_site}/screenshots/Fassist1.png</image>"
    "\n    </screenshot>"
    "\n  </screenshots>")
  set(KORVO_COPYRIGHT_SOURCE "\nSource: ${KORVO_HOME_PAGE}")
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KORVO_HOME_PAGE})
endif()
configure_file(${PROJECT_SOURCE_DIR}/packaging/korvo.desktop.in ${KORVO_DESKTOP_ENTRY} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/korvo.metainfo.xml.in ${KORVO_METAINFO} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${KORVO_PACKAGING}/copyright @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${KORVO_PACKAGING}/changelog @ONLY)

# The menu launcher, the icon theme entries, the software-centre metadata. On Wayland the desktop
# ties Korvo's windows to the entry by the app id (main.cpp); on X11 by StartupWMClass, the class
# Qt gives them from the application's name, "Korvo".
install(FILES ${KORVO_DESKTOP_ENTRY} DESTINATION share/applications)
file(GLOB _korvo_icon_sizes RELATIVE ${PROJECT_SOURCE_DIR}/resources/icons/hicolor
     ${PROJECT_SOURCE_DIR}/resources/icons/hicolor/*)
foreach(size IN LISTS _korvo_icon_sizes)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/hicolor/${size}/apps/korvo.png
          DESTINATION share/icons/hicolor/${size}/apps RENAME ${KORVO_APP_ID}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/korvo.svg
        DESTINATION share/icons/hicolor/scalable/apps RENAME ${KORVO_APP_ID}.svg)
install(FILES ${KORVO_METAINFO} DESTINATION share/metainfo)

# The manual page and the package's documents, compressed as Debian wants them (-n: no name or
# time stamp inside, so the same sources give the same bytes).
add_custom_command(
  OUTPUT ${KORVO_PACKAGING}/korvo.1.gz ${KORVO_PACKAGING}/changelog.gz
  COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/korvo.1 > ${KORVO_PACKAGING}/korvo.1.gz
  COMMAND gzip -9nc ${KORVO_PACKAGING}/changelog > ${KORVO_PACKAGING}/changelog.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/korvo.1 ${KORVO_PACKAGING}/changelog
  VERBATIM)
add_custom_target(korvo_documents ALL
                  DEPENDS ${KORVO_PACKAGING}/korvo.1.gz ${KORVO_PACKAGING}/changelog.gz)
install(FILES ${KORVO_PACKAGING}/korvo.1.gz DESTINATION share/man/man1)
install(FILES ${KORVO_PACKAGING}/copyright ${KORVO_PACKAGING}/changelog.gz
        DESTINATION share/doc/korvo)

# The Debian package (scripts/package): the libraries it needs are found by dpkg-shlibdeps; Qt
# reaches the display through a plugin no library links, so that package is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvo)
set(CPACK_PACKAGE_VENDOR "The Korvo developers")
set(CPACK_PACKAGE_CONTACT "${KORVO_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "wallpaper changer for a folder of pictures")
set(CPACK_PACKAGE_DESCRIPTION
    "Korvo lives in the notification area and sets the pictures of a folder as
the desktop wallpaper in turn: after a chosen delay, once a day at a set time,
or at the press of its apply button, centred, tiled or stretched. It works on
GNOME, MATE, Cinnamon, XFCE, KDE Plasma, LXQt, LXDE, sway and a bare X server.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# WebP and TIFF pictures: the preview reads them through Qt's plugins, the wallpaper check through
# gdk-pixbuf's loaders; Qt's Wayland platform, which Korvo's windows use where the compositor
# draws their title bars (sway, Plasma).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-image-formats-plugins, webp-pixbuf-loader, qt6-wayland")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
