# What `cmake --install` puts where, and the Debian package CPack makes of it.
include(GNUInstallDirs)

set(qumo_data ${CMAKE_INSTALL_DATADIR}/qumoedit)
set(qumo_assets ${CMAKE_SOURCE_DIR}/assets)

install(TARGETS qumoedit qumoconv RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The sound module, loaded on the first sound from beside the program's folder.
install(TARGETS qumo_sound LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/qumoedit)
# The HTML check's tidy and printing, loaded on first use from the same folder.
install(TARGETS qumo_tidy qumo_print LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/qumoedit)
# Shipped files: the program finds them in the data folder and seeds the
# user's settings folder with the palette sets.
install(FILES ${qumo_assets}/readme.txt ${qumo_assets}/click.wav ${qumo_assets}/key.wav
              ${qumo_assets}/enter.wav ${qumo_assets}/HTML.qmh ${qumo_assets}/HTML5.qmh
              ${qumo_assets}/色見本.qmc
        DESTINATION ${qumo_data})
install(DIRECTORY ${qumo_assets}/help DESTINATION ${qumo_data})
install(FILES ${qumo_assets}/install/qumoedit.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${qumo_assets}/install/qumoedit.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${qumo_assets}/install/io.github.qumoedit.QUMOEDIT.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Man pages compressed, as Debian's man and lintian expect them.
find_program(qumo_gzip gzip REQUIRED)
set(qumo_man_pages)
foreach(page qumoedit.1 qumoconv.1)
  set(compressed ${CMAKE_BINARY_DIR}/man/${page}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E copy ${qumo_assets}/install/${page} ${CMAKE_BINARY_DIR}/man/${page}
    COMMAND ${qumo_gzip} -9nf ${CMAKE_BINARY_DIR}/man/${page}
    DEPENDS ${qumo_assets}/install/${page}
    COMMENT "Compressing ${page}")
  list(APPEND qumo_man_pages ${compressed})
endforeach()
add_custom_target(qumo_man_pages ALL DEPENDS ${qumo_man_pages})
install(FILES ${qumo_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${qumo_assets}/install/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qumoedit)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for Japanese plain text and HTML written by hand")
set(CPACK_PACKAGE_CONTACT "QUMOEDIT developers <qumoedit@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic | fonts-noto-cjk, adwaita-icon-theme, qt6-translations-l10n, xdg-utils")
# The preview opens pages in a browser; without one it can only say so.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "firefox-esr | chromium | www-browser")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)

# The installed tree, checked by the desktop's own validators.
add_test(NAME InstallTree COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DLIBDIR=${CMAKE_INSTALL_LIBDIR}
                                  -P ${CMAKE_SOURCE_DIR}/cmake/CheckInstall.cmake)
