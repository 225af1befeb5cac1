# The installed game: `cmake --install` (any prefix) and the Debian package
# (`cpack -G DEB`). The engine goes to libexec/quorvane/, the shipped game, the
# tutorial and the assets to share/games/quorvane/, and bin/quorvane is the
# launcher that runs the engine from the player's own folder. The game's files
# stay out of share/quorvane, so that an install into ~/.local keeps them apart
# from the player's folder, ~/.local/share/quorvane.
include(GNUInstallDirs)

set(QUORVANE_APP_ID org.quorvane.Quorvane)
set(QUORVANE_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/games/quorvane)
set(QUORVANE_ENGINE_DIR ${CMAKE_INSTALL_LIBEXECDIR}/quorvane)

# The launcher finds the engine and the game beside itself, so the install
# can be moved, or unpacked anywhere, and still start.
file(RELATIVE_PATH QUORVANE_SHARE_FROM_BIN
     ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${QUORVANE_SHARE_DIR})
file(RELATIVE_PATH QUORVANE_ENGINE_FROM_BIN
     ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${QUORVANE_ENGINE_DIR}/quorvane)
configure_file(${CMAKE_CURRENT_LIST_DIR}/quorvane.in ${CMAKE_BINARY_DIR}/launcher/quorvane @ONLY)

install(TARGETS quorvane RUNTIME DESTINATION ${QUORVANE_ENGINE_DIR})
install(PROGRAMS ${CMAKE_BINARY_DIR}/launcher/quorvane DESTINATION ${CMAKE_INSTALL_BINDIR})
# The modders' checker of game folders, a command of its own beside the launcher (tools/check/).
install(TARGETS quorvane-check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The new-game scaffold beside it: quorvane-new NAME writes a small game to start from.
install(TARGETS quorvane-new RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The map tool for modders: a game folder's map to and from the Tiled editor. It finds the
# installed pictures from bin/ through ../share/games/quorvane/data/assets.
install(TARGETS quorvane-map RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The desktop icons under data/assets/desktop are the art tool's; the engine never reads them.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data ${CMAKE_SOURCE_DIR}/tutorial DESTINATION ${QUORVANE_SHARE_DIR}
        PATTERN desktop EXCLUDE)
# The shipped options, which the launcher copies into a new player's folder.
install(FILES ${CMAKE_SOURCE_DIR}/config.cfg DESTINATION ${QUORVANE_SHARE_DIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${QUORVANE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${QUORVANE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 32 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/data/assets/desktop/${size}x${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${QUORVANE_APP_ID}.png)
endforeach()

# The package's copyright file: what is whose, then the font's licence as Debian states it.
file(READ ${CMAKE_SOURCE_DIR}/data/assets/font-LICENSE.txt QUORVANE_FONT_LICENCE)
file(WRITE ${CMAKE_BINARY_DIR}/launcher/copyright
"Quorvane: the engine, the game \"Saltmere: The Lamp of Veyl\" and the tutorial,
with their art and sound, are made by the Quorvane developers.

${QUORVANE_SHARE_DIR}/data/assets/font.ttf is DejaVu Sans, unchanged from
Debian's fonts-dejavu-core 2.37-6. Its copyright and licence follow as
Debian's copyright file for that package states them; the same file is
installed beside the font as font-LICENSE.txt.

${QUORVANE_FONT_LICENCE}")
install(FILES ${CMAKE_BINARY_DIR}/launcher/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvane)

set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Quorvane developers")
set(CPACK_PACKAGE_CONTACT "The Quorvane developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "top-down tile role-playing game")
set(CPACK_PACKAGE_DESCRIPTION
"Quorvane is a single-player, top-down, tile-based role-playing game: walk a
large world, take quests, trade, gamble and fight turn-based battles with
swords, bows and spells. It ships the game Saltmere: The Lamp of Veyl and a
tutorial; a whole game lives in one folder of plain text files.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The SDL 1.2 libraries, found from what the engine links. Either SDL 1.2 will
# do: Debian's libsdl1.2-compat-shim provides libsdl1.2debian.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_GENERATOR DEB)
include(CPack)
