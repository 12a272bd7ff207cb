# Every install rule, and the Debian package made from them by CPack. An installed copy is laid
# out like this (destinations from GNUInstallDirs):
#
#   lib/corvane/            the program, with its sounds, help files and stock games beside it
#   lib/corvane/web/        the page a friend's web browser opens at a hosted table
#   bin/corvane             a relative link to lib/corvane/corvane; the program finds its folder
#                           through /proc/self/exe, which names the link's target
#   share/applications/     the desktop entries: the window, and the terminal
#   share/metainfo/         the AppStream metadata
#   share/icons/hicolor/    the icon
#   share/man/man6/         the manual page, compressed
#   share/doc/corvane/      the README, the changelog (compressed) and the copyright and licence
#
# The program never writes beside itself: the player's files live in the data folder. The Debian
# package puts the command in games/ and the help files in share/doc/corvane/ (see
# DebianPackageFiles.cmake).
include(GNUInstallDirs)

set(CORVANE_APP_ID org.corvane.Corvane)
set(CORVANE_INSTALL_PROGRAMDIR ${CMAKE_INSTALL_LIBDIR}/corvane)
set(corvane_dist ${PROJECT_SOURCE_DIR}/dist)

# The program and the files the build put beside it, each recorded where it is made.
install(TARGETS corvane RUNTIME DESTINATION ${CORVANE_INSTALL_PROGRAMDIR})
get_property(corvane_program_files GLOBAL PROPERTY CORVANE_PROGRAM_FILES)
install(FILES ${corvane_program_files} DESTINATION ${CORVANE_INSTALL_PROGRAMDIR})
get_property(corvane_page_files GLOBAL PROPERTY CORVANE_PAGE_FILES)
install(FILES ${corvane_page_files} DESTINATION ${CORVANE_INSTALL_PROGRAMDIR}/web)

# The command: a relative link, so the installed tree works under any prefix and can be moved.
file(RELATIVE_PATH corvane_link_target ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_LIBDIR}/corvane/corvane)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/dist)
file(CREATE_LINK ${corvane_link_target} ${CMAKE_BINARY_DIR}/dist/corvane SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/dist/corvane DESTINATION ${CMAKE_INSTALL_BINDIR})

# The manual page, compressed without a name or time stamp so that the package is reproducible.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(corvane_manpage ${CMAKE_BINARY_DIR}/dist/corvane.6)
add_custom_command(
  OUTPUT ${corvane_manpage}.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${corvane_dist}/corvane.6 ${corvane_manpage}
  COMMAND ${GZIP_EXECUTABLE} -9 -n -f ${corvane_manpage}
  DEPENDS ${corvane_dist}/corvane.6
  COMMENT "Compressing the manual page"
  VERBATIM)
add_custom_target(corvane_manpage ALL DEPENDS ${corvane_manpage}.gz)
install(FILES ${corvane_manpage}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

install(FILES ${corvane_dist}/${CORVANE_APP_ID}.desktop ${corvane_dist}/${CORVANE_APP_ID}.Console.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${corvane_dist}/${CORVANE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${corvane_dist}/${CORVANE_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The changelog, compressed like the manual page.
set(corvane_changelog ${CMAKE_BINARY_DIR}/dist/changelog)
add_custom_command(
  OUTPUT ${corvane_changelog}.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${corvane_dist}/changelog ${corvane_changelog}
  COMMAND ${GZIP_EXECUTABLE} -9 -n -f ${corvane_changelog}
  DEPENDS ${corvane_dist}/changelog
  COMMENT "Compressing the changelog"
  VERBATIM)
add_custom_target(corvane_changelog ALL DEPENDS ${corvane_changelog}.gz)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${corvane_dist}/copyright ${corvane_changelog}.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package: `cpack -G DEB` in the build folder makes corvane_VERSION_ARCH.deb, its
# dependencies computed by dpkg-shlibdeps from the libraries the program links.
set(CORVANE_DEBIAN_MAINTAINER "The Corvane developers <corvane@example.org>"
    CACHE STRING "The Maintainer of the Debian package (name <address>)")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VENDOR "The Corvane developers")
set(CPACK_PACKAGE_CONTACT ${CORVANE_DEBIAN_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "poker for blind and visually impaired players")
set(CPACK_PACKAGE_DESCRIPTION
    "Corvane is a poker game for blind and visually impaired players: Seven Card
Stud, Five Card Draw, Five Card Stud, Kings and Little Ones, Follow the Queen,
Texas Holdem and games of your own, against one to six computer players.
Everything it says is spoken through the screen reader, its own voice or a
text window for a Braille display, and every action is one key press.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/COPYING)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Mode 1 speaks through speech-dispatcher, mode 3 with espeak-ng's voices; xdg-open shows the help.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "speech-dispatcher, espeak-ng-data, xdg-utils")
# Avahi's daemon lets friends on the home network find a hosted table without an address.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "orca, avahi-daemon")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The postrm purges what a run left in the temporary folder; with it, dpkg also remembers the
# package after a remove, so that apt-get purge finds it.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${corvane_dist}/postrm)
# What Debian asks of a game's package beyond any install of it, done on the staged files.
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/DebianPackageFiles.cmake)
set(CPACK_CORVANE_STRIP ${CMAKE_STRIP})
set(CPACK_CORVANE_LINTIAN_OVERRIDES ${corvane_dist}/corvane.lintian-overrides)
set(CPACK_CORVANE_DOC_BASE ${corvane_dist}/corvane.doc-base)
include(CPack)
