# Installed files beyond the program and its help pages, and the Debian
# package that `make package` builds from the installed tree with CPack.

# The manual page is installed compressed, as Debian keeps them.
set(PELLMARK_MAN_PAGE ${CMAKE_BINARY_DIR}/man/pellmark.1)
add_custom_command(
  OUTPUT ${PELLMARK_MAN_PAGE}.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/packaging/pellmark.1 ${PELLMARK_MAN_PAGE}
  COMMAND gzip -9nf ${PELLMARK_MAN_PAGE}
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/pellmark.1
  VERBATIM)
add_custom_target(manpage ALL DEPENDS ${PELLMARK_MAN_PAGE}.gz)

install(FILES ${PELLMARK_MAN_PAGE}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES packaging/org.pellmark.pellmark.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pellmark)
set(CPACK_PACKAGE_VENDOR "The Pellmark developers")
set(CPACK_PACKAGE_CONTACT "The Pellmark developers <maintainers@pellmark.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor of dot data for LED signs")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Pellmark turns typed text or a BMP/JPEG picture into a grid of coloured\n\
dots, edited with the mouse and exported as a plain-text dot listing, a\n\
picture, a printout or a PDF file. Started with options it converts\n\
without a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# Dependencies come from the shared libraries the program links (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Chinese menus need a CJK font; Help hands its page to the desktop's opener.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-zenhei, fonts-arphic-uming, xfonts-wqy, fonts-unifont, xdg-utils")
include(CPack)

# The installed desktop entry and AppStream data are checked when the
# validators are on the machine.
if(BUILD_TESTING)
  find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
  if(DESKTOP_FILE_VALIDATE)
    add_test(NAME desktop-entry COMMAND ${DESKTOP_FILE_VALIDATE} ${CMAKE_SOURCE_DIR}/res/desktop/pellmark.desktop)
  endif()
  find_program(APPSTREAMCLI appstreamcli)
  if(APPSTREAMCLI)
    add_test(NAME appstream-metadata
             COMMAND ${APPSTREAMCLI} validate --no-net --pedantic ${CMAKE_SOURCE_DIR}/packaging/org.pellmark.pellmark.metainfo.xml)
  endif()
endif()
