# Installed layout (prefix /usr in the Debian package):
#   bin/korvex, bin/korvexctl, bin/korvex-vmouse
#   share/korvex/          config.xml, device/, language/, skins/ (found
#                          from bin/ as ../share/korvex/)
#   share/applications/, share/icons/hicolor/, share/metainfo/, share/man/man1/
#   lib/udev/rules.d/      the device rule (udev reads /usr/lib/udev/rules.d)
include(GNUInstallDirs)

set(KORVEX_DESKTOP_ID example.korvex.KorvexMouse)
set(KORVEX_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS korvex korvexctl korvex-vmouse RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${KORVEX_DATA_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/korvex)

install(FILES ${KORVEX_PACKAGING}/${KORVEX_DESKTOP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KORVEX_PACKAGING}/${KORVEX_DESKTOP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${KORVEX_PACKAGING}/icons/hicolor/
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${KORVEX_PACKAGING}/icons/${KORVEX_DESKTOP_ID}.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${KORVEX_PACKAGING}/70-korvex-mouse.rules DESTINATION lib/udev/rules.d)
install(FILES ${KORVEX_PACKAGING}/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Debian wants manual pages compressed; -n keeps the archive reproducible.
set(KORVEX_MAN_GZ ${CMAKE_BINARY_DIR}/korvexctl.1.gz)
add_custom_command(OUTPUT ${KORVEX_MAN_GZ}
  COMMAND gzip -9 -n -c ${KORVEX_PACKAGING}/korvexctl.1 > ${KORVEX_MAN_GZ}
  DEPENDS ${KORVEX_PACKAGING}/korvexctl.1
  COMMENT "Compressing the korvexctl manual page")
add_custom_target(korvex_man ALL DEPENDS ${KORVEX_MAN_GZ})
install(FILES ${KORVEX_MAN_GZ} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# cpack -G DEB: dependencies computed from the executables (dpkg-shlibdeps),
# plus the fonts that cover every shipped language and the session bus the
# battery notice goes through.
set(CPACK_PACKAGE_NAME korvex)
set(CPACK_PACKAGE_VENDOR "Korvex Peripherals")
set(CPACK_PACKAGE_CONTACT "Korvex Peripherals <support@korvex.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Settings of the Korvex gaming mouse")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.korvex.example/")
# CPack puts the summary first and indents the lines below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "DPI stages, report rate, buttons, macros, lighting and profiles of the
Korvex mice, by cable or through the 2.4 GHz receiver, with a tray icon,
a low-battery notice and the korvexctl command-line tool.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-noto-cjk | fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "dbus-user-session | dbus-x11")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
  ${KORVEX_PACKAGING}/debian/postinst ${KORVEX_PACKAGING}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
