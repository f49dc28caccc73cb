# Installing Korvo on Linux, and its Debian package through CPack.
#
# The program folder stays one folder, lib/korvo: the executable finds the default Korv.ini, the
# sample pictures and the user guide beside itself, wherever the prefix is. bin/korvo is a relative link to it,
# so the tree can be moved whole. A program folder the user cannot write sends the settings to
# ~/.config/korvo (src/platform/linux/settings_folder.h).
set(KORVO_PROGRAM_DIR lib/korvo)
install(TARGETS korvo RUNTIME DESTINATION ${KORVO_PROGRAM_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/Korv.ini DESTINATION ${KORVO_PROGRAM_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/fond DESTINATION ${KORVO_PROGRAM_DIR})
# The user guide the about box opens (src/CMakeLists.txt makes it).
install(FILES ${PROJECT_BINARY_DIR}/src/guide.html DESTINATION ${KORVO_PROGRAM_DIR})
file(CREATE_LINK ../${KORVO_PROGRAM_DIR}/korvo ${CMAKE_CURRENT_BINARY_DIR}/bin-korvo SYMBOLIC)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/bin-korvo DESTINATION bin RENAME korvo)

# The menu launcher, the icon theme entries, the software-centre metadata.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/korvo.desktop DESTINATION share/applications)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/icons/hicolor DESTINATION share/icons)
install(FILES ${PROJECT_SOURCE_DIR}/resources/korvo.svg
        DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/org.example.korvo.metainfo.xml
        DESTINATION share/metainfo)

# The manual page and the package's documents, compressed as Debian wants them (-n: no name or
# time stamp inside, so the same sources give the same bytes).
set(KORVO_GZIPPED ${CMAKE_CURRENT_BINARY_DIR}/packaging)
add_custom_command(
  OUTPUT ${KORVO_GZIPPED}/korvo.1.gz ${KORVO_GZIPPED}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${KORVO_GZIPPED}
  COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/korvo.1 > ${KORVO_GZIPPED}/korvo.1.gz
  COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/changelog > ${KORVO_GZIPPED}/changelog.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/korvo.1 ${PROJECT_SOURCE_DIR}/packaging/changelog
  VERBATIM)
add_custom_target(korvo_documents ALL
                  DEPENDS ${KORVO_GZIPPED}/korvo.1.gz ${KORVO_GZIPPED}/changelog.gz)
install(FILES ${KORVO_GZIPPED}/korvo.1.gz DESTINATION share/man/man1)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${KORVO_GZIPPED}/changelog.gz
        DESTINATION share/doc/korvo)

# The Debian package (scripts/package): the libraries it needs are found by dpkg-shlibdeps; Qt
# reaches the display through a plugin no library links, so that package is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvo)
set(CPACK_PACKAGE_VENDOR "The Korvo developers")
set(CPACK_PACKAGE_CONTACT "The Korvo developers <korvo@korvo.example.org>")
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
# The package names a home page only when the build names one (src/CMakeLists.txt).
if(KORVO_HOME_PAGE)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KORVO_HOME_PAGE})
endif()
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-image-formats-plugins)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
