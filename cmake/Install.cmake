# Installation in the layout of a Debian game:
#   ${CMAKE_INSTALL_BINDIR}/vorlane            the launcher (a packager sets the bin dir to "games")
#   ${VORLANE_INSTALL_PROGDIR}/vorlane         the program itself, never started directly
#   ${VORLANE_INSTALL_DATADIR}/{gfx,sfx,shaders}
#   share/applications/${VORLANE_APP_ID}.desktop, share/metainfo/${VORLANE_APP_ID}.metainfo.xml,
#   share/icons/hicolor/NxN/apps/vorlane.png, share/man/man6/vorlane.6
# The program reads its data from the working directory when it is there, else
# from the installed data directory, and writes its screenshots to the working
# directory; the launcher gives it a per-user one that links to the installed
# data. Every rule is in the component "vorlane", so that the install test can
# stage a copy without overwriting the build's install_manifest.txt.
include(GNUInstallDirs)

# The reverse-DNS id of the game for desktops and software centres: the name of
# the desktop entry and of the AppStream metadata, which names the entry.
set(VORLANE_APP_ID io.github.vorlane.Vorlane)

set(VORLANE_INSTALL_PROGDIR ${CMAKE_INSTALL_LIBEXECDIR}/vorlane
    CACHE STRING "Directory of the game program, relative to the prefix or absolute")
set(VORLANE_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/games/vorlane
    CACHE STRING "Directory of the game data (gfx/, sfx/, shaders/), relative to the prefix or absolute")

if(TARGET vorlane)
  install(TARGETS vorlane RUNTIME DESTINATION ${VORLANE_INSTALL_PROGDIR} COMPONENT vorlane)
  # Started from outside its data, the program looks for the data where it is
  # installed: relative to its own directory first (the launcher does the same,
  # so a moved tree works), then at the configured absolute path.
  set(progdir_full ${VORLANE_INSTALL_PROGDIR})
  set(datadir_full ${VORLANE_INSTALL_DATADIR})
  foreach(v progdir_full datadir_full)
    if(NOT IS_ABSOLUTE "${${v}}")
      set(${v} "${CMAKE_INSTALL_PREFIX}/${${v}}")
    endif()
  endforeach()
  file(RELATIVE_PATH data_rel "${progdir_full}" "${datadir_full}")
  if(data_rel STREQUAL "")
    set(data_rel ".")
  endif()
  target_compile_definitions(vorlane PRIVATE VORLANE_VERSION="${PROJECT_VERSION}"
    VORLANE_DATA_REL="${data_rel}" VORLANE_DATA_ABS="${datadir_full}")
endif()

install(DIRECTORY ${VORLANE_RUN_DIR}/gfx/ DESTINATION ${VORLANE_INSTALL_DATADIR}/gfx
        COMPONENT vorlane FILES_MATCHING PATTERN "*.png")
install(DIRECTORY ${VORLANE_RUN_DIR}/sfx/ DESTINATION ${VORLANE_INSTALL_DATADIR}/sfx
        COMPONENT vorlane FILES_MATCHING PATTERN "*.ogg" PATTERN "*.wav")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/shaders/ DESTINATION ${VORLANE_INSTALL_DATADIR}/shaders
        COMPONENT vorlane FILES_MATCHING PATTERN "*.vert" PATTERN "*.geom" PATTERN "*.frag")

foreach(size 48 128 256)
  install(FILES ${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps/vorlane.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps COMPONENT vorlane)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/tools/${VORLANE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT vorlane)

# The launcher, the desktop entry and the man page name installed paths, so
# they are written at install time, when the prefix is final (cmake --install
# --prefix may change it after configuring).
install(CODE "
set(VORLANE_VERSION \"${PROJECT_VERSION}\")
set(VORLANE_APP_ID \"${VORLANE_APP_ID}\")
set(VORLANE_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
set(VORLANE_PROGDIR \"${VORLANE_INSTALL_PROGDIR}\")
set(VORLANE_DATADIR \"${VORLANE_INSTALL_DATADIR}\")
set(VORLANE_APPDIR \"${CMAKE_INSTALL_DATADIR}/applications\")
set(VORLANE_MANDIR \"${CMAKE_INSTALL_MANDIR}/man6\")
set(VORLANE_TEMPLATES \"${PROJECT_SOURCE_DIR}/tools\")
set(VORLANE_STAGE \"${CMAKE_BINARY_DIR}/install-stage\")
" COMPONENT vorlane)
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/InstallGenerated.cmake COMPONENT vorlane)

# Removes what the last "cmake --install" of this build put in place (the
# files in install_manifest.txt, then the emptied directories of vorlane's own).
add_custom_target(uninstall
  COMMAND ${CMAKE_COMMAND} -DMANIFEST=${CMAKE_BINARY_DIR}/install_manifest.txt
          -P ${CMAKE_CURRENT_LIST_DIR}/Uninstall.cmake
  COMMENT "Removing the installed files"
  VERBATIM)
