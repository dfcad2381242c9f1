# Installing Vandrel (`cmake --install`) and packaging it as a Debian package
# (`cpack -G DEB` in the build folder).
#
# Installed: the program and its two tools, their manual pages, the desktop
# entry, the icons in the hicolor theme, the AppStream metainfo and the MIME
# type of saved games (*.vdg), and the README, which the about box links to.
include(GNUInstallDirs)

set(VANDREL_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(VANDREL_APPSTREAM_ID io.github.vandrel.vandrel)
set(VANDREL_ICON_SIZES 16 32 48 64 128 256)

foreach(program IN ITEMS vandrel vandrel-selfplay vandrel-vdg)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

# The manual pages, compressed as Debian installs them (gzip -9, no name or
# time stamp, so the package is the same from build to build).
set(VANDREL_MAN_PAGES vandrel.6 vandrel-selfplay.6 vandrel-vdg.1)
set(_vandrel_man_gz)
foreach(page IN LISTS VANDREL_MAN_PAGES)
  set(source ${VANDREL_PACKAGING_DIR}/man/${page})
  set(gz ${PROJECT_BINARY_DIR}/man/${page}.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND gzip -9 -n -c ${source} > ${gz}
    DEPENDS ${source}
    COMMENT "Compressing the manual page ${page}"
    VERBATIM)
  list(APPEND _vandrel_man_gz ${gz})
  string(REGEX MATCH "[0-9]$" section ${page})
  install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endforeach()
add_custom_target(vandrel_man_pages ALL DEPENDS ${_vandrel_man_gz})

install(FILES ${VANDREL_PACKAGING_DIR}/vandrel.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

foreach(size IN LISTS VANDREL_ICON_SIZES)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/art/icons/vandrel-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME vandrel.png)
endforeach()

install(FILES ${VANDREL_PACKAGING_DIR}/${VANDREL_APPSTREAM_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The guide the about box links to.
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vandrel)

install(FILES ${VANDREL_PACKAGING_DIR}/vandrel-mime.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
  RENAME vandrel.xml)

# --- The Debian package -----------------------------------------------------
#
# Its dependencies come from dpkg-shlibdeps (package dpkg-dev), which reads
# the libraries the program links. What it cannot see is added by hand: the
# fonts the program asks for by family. Qt's platform plugins come with
# libqt6gui6, and the sound module's SDL2_mixer with libsdl2-mixer-2.0-0,
# which shlibdeps finds in the module. Sound goes to a PulseAudio server
# (PulseAudio itself or PipeWire's), which the desktop normally runs, so that
# is a recommendation.
#
# No maintainer scripts: the desktop, MIME and icon caches are refreshed by
# the dpkg triggers of desktop-file-utils, shared-mime-info and the icon theme.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vandrel)
set(CPACK_PACKAGE_VENDOR "The Vandrel developers")
# The package's Maintainer. The game has no mail address and no web site yet,
# so neither is given (lintian reports malformed-contact until one exists).
set(CPACK_PACKAGE_CONTACT "The Vandrel developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "board game of racing pieces against the computer")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Two teams of six pieces cross a board of eight rows and six columns, with\n"
  "a base column on each side; a single die decides how far one piece moves\n"
  "each turn. Pieces that are landed on walk back through their base column.\n"
  "The first team with all six pieces on its target row wins. Games are\n"
  "played in matches of one to ten games, and a game in progress can be saved.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY vandrel)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
