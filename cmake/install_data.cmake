# Runs when installing (cmake --install, cpack), included by the install code of
# TrawlexInstall.cmake with TRAWLEX_* set. Paths are under CMAKE_INSTALL_PREFIX as it is now;
# file(INSTALL) adds DESTDIR and records each file in the install manifest.

set(data_permissions FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
    DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)

function(trawlex_installed_path out dir)
  if(IS_ABSOLUTE "${dir}")
    set(${out} "${dir}" PARENT_SCOPE)
  else()
    set(${out} "${CMAKE_INSTALL_PREFIX}/${dir}" PARENT_SCOPE)
  endif()
endfunction()

trawlex_installed_path(data_dir "${TRAWLEX_DATA_DIR}")
trawlex_installed_path(bin_dir "${TRAWLEX_BIN_DIR}")
trawlex_installed_path(libexec_dir "${TRAWLEX_LIBEXEC_DIR}/trawlex")
trawlex_installed_path(applications_dir "${TRAWLEX_APPLICATIONS_DIR}")

# The shipped look file, type table and whatever else ships as *.Shipped.
file(GLOB shipped_files "${TRAWLEX_SOURCE_DIR}/share/*.Shipped")
if(shipped_files)
  file(INSTALL ${shipped_files} DESTINATION "${data_dir}" ${data_permissions})
endif()

# The user guide as share/trawlex/guide/, and the screenshots it links as ../NAME.png beside it,
# so the links work in the installed copy as in the tree.
set(guide_dir "${TRAWLEX_SOURCE_DIR}/docs/guide")
if(IS_DIRECTORY "${guide_dir}")
  file(INSTALL "${guide_dir}/" DESTINATION "${data_dir}/guide" ${data_permissions})
  file(GLOB_RECURSE guide_pages "${guide_dir}/*.md" "${guide_dir}/*.html")
  set(pictures "")
  foreach(page IN LISTS guide_pages)
    file(READ "${page}" text)
    string(REGEX MATCHALL "\\.\\./[A-Za-z0-9_.-]+\\.png" links "${text}")
    foreach(link IN LISTS links)
      string(SUBSTRING "${link}" 3 -1 name)
      if(EXISTS "${TRAWLEX_SOURCE_DIR}/docs/${name}")
        list(APPEND pictures "${TRAWLEX_SOURCE_DIR}/docs/${name}")
      endif()
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES pictures)
  if(pictures)
    file(INSTALL ${pictures} DESTINATION "${data_dir}" ${data_permissions})
  endif()
endif()

if(NOT TRAWLEX_WITH_GUI)
  return()  # no desktop program: no launcher and no desktop entry
endif()

# A start from the menu goes through the launcher, which gives trawlex a working directory of
# its own; both files name the installed paths, so they are written now.
set(generated "${TRAWLEX_BINARY_DIR}/install-generated")
# The launcher names the program inside single quotes: a quote in the path becomes '\''.
string(REPLACE "'" "'\\''" TRAWLEX_PROGRAM "${bin_dir}/trawlex")
configure_file("${TRAWLEX_SOURCE_DIR}/share/trawlex-launcher.in" "${generated}/trawlex-launcher"
               @ONLY)
file(INSTALL "${generated}/trawlex-launcher" DESTINATION "${libexec_dir}"
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
     WORLD_READ WORLD_EXECUTE)

set(launcher "${libexec_dir}/trawlex-launcher")
if(launcher MATCHES "[^A-Za-z0-9/._+-]")
  # Inside a quoted Exec argument ", `, $ and \ are escaped; a desktop file's own string
  # escaping then doubles every backslash.
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" launcher "${launcher}")
  string(REPLACE "\\" "\\\\" launcher "${launcher}")
  set(launcher "\"${launcher}\"")
endif()
file(READ "${TRAWLEX_SOURCE_DIR}/share/trawlex.desktop" entry)
string(FIND "${entry}" "\nExec=trawlex " exec_at)
if(exec_at EQUAL -1)
  message(FATAL_ERROR "share/trawlex.desktop has no line 'Exec=trawlex ...' to point at the launcher")
endif()
string(REPLACE "\nExec=trawlex " "\nExec=${launcher} " entry "${entry}")
string(REGEX REPLACE "\n# Installing points Exec[^\n]*" "" entry "${entry}")
file(WRITE "${generated}/trawlex.desktop" "${entry}")
file(INSTALL "${generated}/trawlex.desktop" DESTINATION "${applications_dir}" ${data_permissions})
