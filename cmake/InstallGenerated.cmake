# Runs at install time (from cmake_install.cmake, after Install.cmake's
# install(CODE) has set the VORLANE_* directories): writes the launcher, the
# desktop entry and the man page with the final installed paths and installs
# them. DESTDIR is honoured by file(INSTALL); the paths written into the files
# are those of the final prefix, without DESTDIR.

# Absolute path of an install directory given relative to the prefix or absolute.
function(vorlane_full_dir out dir)
  if(IS_ABSOLUTE "${dir}")
    set(${out} "${dir}" PARENT_SCOPE)
  else()
    set(${out} "${CMAKE_INSTALL_PREFIX}/${dir}" PARENT_SCOPE)
  endif()
endfunction()

# The text quoted for a POSIX shell single-quoted string (without the quotes).
function(vorlane_sh_quote out text)
  string(REPLACE "'" "'\\''" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

vorlane_full_dir(bindir "${VORLANE_BINDIR}")
vorlane_full_dir(progdir "${VORLANE_PROGDIR}")
vorlane_full_dir(datadir "${VORLANE_DATADIR}")
vorlane_full_dir(appdir "${VORLANE_APPDIR}")
vorlane_full_dir(mandir "${VORLANE_MANDIR}")
foreach(v bindir progdir datadir)
  file(TO_CMAKE_PATH "${${v}}" ${v})
  string(REGEX REPLACE "/+$" "" ${v} "${${v}}")
endforeach()

# The launcher looks for the program and the data relative to itself first,
# so that a moved or DESTDIR-staged tree works, then at the installed paths.
file(RELATIVE_PATH prog_rel "${bindir}" "${progdir}/vorlane")
file(RELATIVE_PATH data_rel "${bindir}" "${datadir}")
if(data_rel STREQUAL "")
  set(data_rel ".")
endif()
vorlane_sh_quote(VORLANE_PROG_REL "${prog_rel}")
vorlane_sh_quote(VORLANE_DATA_REL "${data_rel}")
vorlane_sh_quote(VORLANE_PROG "${progdir}/vorlane")
vorlane_sh_quote(VORLANE_DATA "${datadir}")
configure_file("${VORLANE_TEMPLATES}/vorlane.in" "${VORLANE_STAGE}/vorlane" @ONLY)

# Desktop entries take a plain path, or a double-quoted one when it holds
# anything else (with ", `, $ and \ escaped, and \ doubled again for the
# string value).
set(launcher "${bindir}/vorlane")
if(launcher MATCHES "^[A-Za-z0-9/._+-]+$")
  set(VORLANE_DESKTOP_EXEC "${launcher}")
else()
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" quoted "${launcher}")
  string(REPLACE "\\" "\\\\" quoted "${quoted}")
  set(VORLANE_DESKTOP_EXEC "\"${quoted}\"")
endif()
configure_file("${VORLANE_TEMPLATES}/vorlane.desktop.in" "${VORLANE_STAGE}/${VORLANE_APP_ID}.desktop" @ONLY)

# The man page names the installed paths; roff needs backslashes and hyphens escaped.
foreach(v launcher datadir)
  string(REPLACE "\\" "\\e" roff "${${v}}")
  string(REPLACE "-" "\\-" roff "${roff}")
  set(VORLANE_MAN_${v} "${roff}")
endforeach()
configure_file("${VORLANE_TEMPLATES}/vorlane.6.in" "${VORLANE_STAGE}/vorlane.6" @ONLY)

file(INSTALL "${VORLANE_STAGE}/vorlane" DESTINATION "${bindir}"
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
file(INSTALL "${VORLANE_STAGE}/${VORLANE_APP_ID}.desktop" DESTINATION "${appdir}")
file(INSTALL "${VORLANE_STAGE}/vorlane.6" DESTINATION "${mandir}")
