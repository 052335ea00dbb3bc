# Installed layout and the Debian package.
#
#   bin/voltexa, bin/voltexa-sim
#   share/voltexa/          VOLTEXA.uir, voltex??.hhh, toolbar/*.png
#   share/applications/     voltexa.desktop
#   share/icons/hicolor/    the application icon, SVG and PNG sizes
#   share/man/man1/         voltexa.1.gz, voltexa-sim.1.gz
#   share/doc/voltexa/      copyright, changelog.Debian.gz
#
# The program finds its data beside the executable first, then in the data
# folder at VOLTEXA_DONNEES_INSTALLEES from the executable's folder.
include(GNUInstallDirs)

set(VOLTEXA_DATADIR ${CMAKE_INSTALL_DATADIR}/voltexa)
file(RELATIVE_PATH _donnees /${CMAKE_INSTALL_BINDIR} /${VOLTEXA_DATADIR})
target_compile_definitions(couche_socle PRIVATE VOLTEXA_DONNEES_INSTALLEES="${_donnees}")

set(_pkg ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS voltexa RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET voltexa_sim)
  install(TARGETS voltexa_sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${VOLTEXA_BIN_DIR}/VOLTEXA.uir ${VOLTEXA_HELP} DESTINATION ${VOLTEXA_DATADIR})
install(FILES ${VOLTEXA_TOOLBAR} DESTINATION ${VOLTEXA_DATADIR}/toolbar)

install(FILES ${_pkg}/voltexa.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_pkg}/icons/voltexa.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
file(GLOB _icones CONFIGURE_DEPENDS ${_pkg}/icons/voltexa-*.png)
foreach(_png ${_icones})
  string(REGEX REPLACE ".*voltexa-([0-9]+)\\.png$" "\\1" _taille ${_png})
  install(FILES ${_png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_taille}x${_taille}/apps
          RENAME voltexa.png)
endforeach()

# Debian wants the manual page and the changelog compressed, reproducibly (-n).
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(_gz)
foreach(_f voltexa.1 voltexa-sim.1 changelog)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${_f}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND ${GZIP_EXECUTABLE} -9nc ${_pkg}/${_f} > ${CMAKE_BINARY_DIR}/packaging/${_f}.gz
    DEPENDS ${_pkg}/${_f} VERBATIM)
  list(APPEND _gz ${CMAKE_BINARY_DIR}/packaging/${_f}.gz)
endforeach()
add_custom_target(voltexa_paquet_fichiers ALL DEPENDS ${_gz})
install(FILES ${CMAKE_BINARY_DIR}/packaging/voltexa.1.gz ${CMAKE_BINARY_DIR}/packaging/voltexa-sim.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_pkg}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/voltexa)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/voltexa
        RENAME changelog.Debian.gz)

# ---- CPack: the .deb ----------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME voltexa)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The VOLTEXA developers")
set(CPACK_PACKAGE_CONTACT "The VOLTEXA developers <voltexa@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "acquisition and plotting for a portable single-phase wattmeter")
set(CPACK_PACKAGE_DESCRIPTION
  "VOLTEXA drives a portable single-phase wattmeter over a serial line (JBUS),\n\
reads one or two quantities at a chosen period, lists and plots them live,\n\
records, reloads, prints and exports them to a spreadsheet, in five languages.\n\
The package also holds voltexa-sim, a simulated wattmeter on a pseudo-terminal.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries come from dpkg-shlibdeps; the windowing-system plugin and the
# fonts are loaded at run time, which it cannot see.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
# The desktop opens exported workbooks with its spreadsheet program.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xdg-utils, libreoffice-calc | gnumeric")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
