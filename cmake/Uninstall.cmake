# cmake -DMANIFEST=<build>/install_manifest.txt -P Uninstall.cmake
# Removes every file the manifest lists, then the directories that are
# vorlane's own (named vorlane, or inside one) once they are empty. Shared
# directories such as share/icons/hicolor/48x48/apps are left alone, and so are
# the players' own directories (screenshots under ~/.local/share/vorlane).
if(NOT MANIFEST OR NOT EXISTS "${MANIFEST}")
  message(FATAL_ERROR "Nothing to uninstall: no install manifest at \"${MANIFEST}\" (run cmake --install first)")
endif()

file(STRINGS "${MANIFEST}" installed)
set(dirs)
foreach(f IN LISTS installed)
  if(IS_SYMLINK "${f}" OR EXISTS "${f}")
    message(STATUS "Removing ${f}")
    file(REMOVE "${f}")
  endif()
  get_filename_component(d "${f}" DIRECTORY)
  list(APPEND dirs "${d}")
endforeach()

list(REMOVE_DUPLICATES dirs)
foreach(d IN LISTS dirs)
  while(d MATCHES "/vorlane(/|$)" AND IS_DIRECTORY "${d}" AND NOT IS_SYMLINK "${d}")
    file(GLOB left LIST_DIRECTORIES true "${d}/*" "${d}/.*")
    if(left)
      break()
    endif()
    message(STATUS "Removing ${d}/")
    file(REMOVE_RECURSE "${d}")
    get_filename_component(d "${d}" DIRECTORY)
  endwhile()
endforeach()
