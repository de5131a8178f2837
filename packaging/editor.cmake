# SPDX-License-Identifier: GPL-3.0-or-later
# The question editor beside the game: its program, desktop entry, metadata and icon (the
# game's icon with a pencil, also the window's icon from the resources).
set(KVZ_EDITOR_ID org.kvizomat.Kvizomat.Editor)
# The program and its man page are installed with the others (KVZ_PROGRAMS).
install(FILES ${KVZ_EDITOR_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${KVZ_EDITOR_ID}.metainfo.xml.in ${KVZ_EDITOR_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${KVZ_EDITOR_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
set(KVZ_EDITOR_SVG ${PROJECT_SOURCE_DIR}/assets/pictures/editor.svg)
set(KVZ_EDITOR_PNGS)
foreach(size 16 32 48 64 128 256)
  set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}/${KVZ_EDITOR_ID}.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}
    COMMAND ${KVZ_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${KVZ_EDITOR_SVG}
    DEPENDS ${KVZ_EDITOR_SVG}
    VERBATIM)
  list(APPEND KVZ_EDITOR_PNGS ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(editor_icons ALL DEPENDS ${KVZ_EDITOR_PNGS})
install(FILES ${KVZ_EDITOR_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${KVZ_EDITOR_ID}.svg)
