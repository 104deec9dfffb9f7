# [DESTDIR=<dir>] cmake -DMANIFEST=<build>/install_manifest.txt -P Uninstall.cmake
# Removes every file the manifest lists (below DESTDIR when it is set, as the
# install was), then the directories that are
# vorlane's own (named vorlane, or inside one) once they are empty. Shared
# directories such as share/icons/hicolor/48x48/apps are left alone, and so are
# the players' own directories (screenshots under ~/.local/share/vorlane).
if(NOT MANIFEST OR NOT EXISTS "${MANIFEST}")
  message(FATAL_ERROR "Nothing to uninstall: no install manifest at \"${MANIFEST}\" (run cmake --install first)")
endif()

set(root "$ENV{DESTDIR}")
file(STRINGS "${MANIFEST}" installed)
set(dirs)
foreach(f IN LISTS installed)
  if(IS_SYMLINK "${root}${f}" OR EXISTS "${root}${f}")
    message(STATUS "Removing ${root}${f}")
    file(REMOVE "${root}${f}")
  endif()
  get_filename_component(d "${f}" DIRECTORY)
  list(APPEND dirs "${d}")
endforeach()

list(REMOVE_DUPLICATES dirs)
foreach(d IN LISTS dirs)
  # Judged by the installed path; DESTDIR's own name does not count.
  while(d MATCHES "/vorlane(/|$)" AND IS_DIRECTORY "${root}${d}" AND NOT IS_SYMLINK "${root}${d}")
    file(GLOB left LIST_DIRECTORIES true "${root}${d}/*" "${root}${d}/.*")
    if(left)
      break()
    endif()
    message(STATUS "Removing ${root}${d}/")
    file(REMOVE_RECURSE "${root}${d}")
    get_filename_component(d "${d}" DIRECTORY)
  endwhile()
endforeach()
