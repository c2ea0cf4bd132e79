# Installation (cmake --install, GNUInstallDirs layout) and the Debian package (cpack -G DEB).
# The programs and the man page are installed by src/app; this file installs the data.

set(TRAWLEX_DATA_DIR ${CMAKE_INSTALL_DATADIR}/trawlex)

if(TRAWLEX_GUI)
  install(FILES share/trawlex.svg DESTINATION ${TRAWLEX_DATA_DIR})
  install(FILES share/trawlex.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
install(FILES share/completions/trawl
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# The shipped files and the user guide are still being added to the tree, and the desktop entry
# needs the prefix installed to: all that is settled when installing, not when configuring.
install(CODE "
  set(TRAWLEX_WITH_GUI \"${TRAWLEX_GUI}\")
  set(TRAWLEX_SOURCE_DIR \"${PROJECT_SOURCE_DIR}\")
  set(TRAWLEX_BINARY_DIR \"${PROJECT_BINARY_DIR}\")
  set(TRAWLEX_DATA_DIR \"${TRAWLEX_DATA_DIR}\")
  set(TRAWLEX_BIN_DIR \"${CMAKE_INSTALL_BINDIR}\")
  set(TRAWLEX_LIBEXEC_DIR \"${CMAKE_INSTALL_LIBEXECDIR}\")
  set(TRAWLEX_APPLICATIONS_DIR \"${CMAKE_INSTALL_DATADIR}/applications\")
  include(\"${PROJECT_SOURCE_DIR}/cmake/install_data.cmake\")
")

# ---- Debian package: cpack -G DEB in a Release build directory ----
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trawlex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Trawlex")
set(CPACK_PACKAGE_CONTACT "Trawlex developers <trawlex@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "code search for the Veldar language")
set(CPACK_PACKAGE_DESCRIPTION "Trawlex searches trees of Veldar source files for a text (plain,
wildcard or regular expression) and lists every line that holds it, each hit
with the procedure, class method and routine it stands in. The package holds
the desktop program trawlex (Qt 6) and trawl, a command-line front end over
the same engine.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # trawlex_VERSION_ARCH.deb
# Qt loads these as plugins, so dpkg-shlibdeps cannot see them: the SVG image and icon plugins
# (the icon) and the platform plugins (any window at all).
set(trawlex_plugin_packages "")
set(trawlex_library_packages "libsqlite3-0")
if(TRAWLEX_GUI)
  set(trawlex_plugin_packages "libqt6svg6, qt6-qpa-plugins")
  string(APPEND trawlex_library_packages
         ", libqt6widgets6, libqt6printsupport6, ${trawlex_plugin_packages}")
endif()
find_program(TRAWLEX_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(TRAWLEX_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${trawlex_plugin_packages}")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${trawlex_library_packages}")
endif()
include(CPack)
