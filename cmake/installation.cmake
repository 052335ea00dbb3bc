# Installed layout and the Debian package.
#
#   bin/voltexa, bin/voltexa-sim, bin/voltexa-log
#   lib/systemd/system/     voltexa-log@.service
#   /etc/voltexa/           example.conf (the logger service's arguments)
#   share/voltexa/          VOLTEXA.uir, voltex??.hhh, toolbar/*.png
#   share/applications/     voltexa.desktop
#   share/icons/hicolor/    the application icon, SVG and PNG sizes
#   share/man/man1/         voltexa.1.gz, voltexa-sim.1.gz, voltexa-log.1.gz
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
install(TARGETS voltexa_log RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${_pkg}/voltexa-log@.service DESTINATION lib/systemd/system)
# The service's arguments are the administrator's: a configuration file of
# the package, under /etc whatever the prefix; only the package's build
# holds it (an install into a test prefix leaves the machine's /etc alone).
if(VOLTEXA_PAQUET)
  install(FILES ${_pkg}/voltexa-log.conf DESTINATION /etc/voltexa RENAME example.conf)
endif()
# A stripped install (the package's) also drops the compiler's version
# strings, as Debian's strip step does.
if(CMAKE_OBJCOPY)
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      foreach(_p voltexa voltexa-sim voltexa-log)
        set(_f \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${_p}\")
        if(EXISTS \"\${_f}\")
          execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment \"\${_f}\"
                          RESULT_VARIABLE _r)
          if(NOT _r EQUAL 0)
            message(FATAL_ERROR \"objcopy failed on \${_f}\")
          endif()
        endif()
      endforeach()
    endif()")
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

# ---- the package's maintainer -------------------------------------------
include(${CMAKE_CURRENT_LIST_DIR}/mainteneur.cmake)
set(VOLTEXA_MAINTENEUR "" CACHE STRING "Name <address> of the package's maintainer (default: DEBFULLNAME/DEBEMAIL, then git)")
voltexa_trouver_mainteneur("${VOLTEXA_MAINTENEUR}" "${CMAKE_SOURCE_DIR}" _mainteneur)
voltexa_refus_mainteneur("${_mainteneur}" _refus)
if(VOLTEXA_PAQUET AND NOT _refus STREQUAL "")
  message(FATAL_ERROR "The package needs a maintainer who can be written to; "
    "\"${_mainteneur}\" will not do: ${_refus}. Set DEBFULLNAME and DEBEMAIL "
    "(or VOLTEXA_MAINTENEUR) to the name and address that answer for this package.")
endif()
set(VOLTEXA_MAINTENEUR_RETENU "${_mainteneur}")
configure_file(${_pkg}/changelog ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)

# Debian wants the manual page and the changelog compressed, reproducibly (-n).
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(_gz)
foreach(_f voltexa.1 voltexa-sim.1 voltexa-log.1 changelog)
  set(_source ${_pkg}/${_f})
  if(_f STREQUAL "changelog")
    set(_source ${CMAKE_BINARY_DIR}/packaging/changelog)
  endif()
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${_f}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND ${GZIP_EXECUTABLE} -9nc ${_source} > ${CMAKE_BINARY_DIR}/packaging/${_f}.gz
    DEPENDS ${_source} VERBATIM)
  list(APPEND _gz ${CMAKE_BINARY_DIR}/packaging/${_f}.gz)
endforeach()
add_custom_target(voltexa_paquet_fichiers ALL DEPENDS ${_gz})
install(FILES ${CMAKE_BINARY_DIR}/packaging/voltexa.1.gz ${CMAKE_BINARY_DIR}/packaging/voltexa-sim.1.gz
        ${CMAKE_BINARY_DIR}/packaging/voltexa-log.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_pkg}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/voltexa)
install(FILES ${_pkg}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME voltexa)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/voltexa
        RENAME changelog.Debian.gz)

# ---- CPack: the .deb ----------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME voltexa)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The VOLTEXA developers")
set(CPACK_PACKAGE_CONTACT "${VOLTEXA_MAINTENEUR_RETENU}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "acquisition and plotting for a portable single-phase wattmeter")
set(CPACK_PACKAGE_DESCRIPTION
  "VOLTEXA drives a portable single-phase wattmeter over a serial line (JBUS),\n\
reads one or two quantities at a chosen period, lists and plots them live,\n\
records, reloads, prints and exports them to a spreadsheet, in five languages.\n\
The package also holds voltexa-sim, a simulated wattmeter on a pseudo-terminal,\n\
and voltexa-log, which records for days without a desktop (systemd unit\n\
voltexa-log@.service).")
set(CPACK_STRIP_FILES ON)
# /etc/voltexa lies outside the prefix: the package is staged whole.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The Debian revision is the newest changelog entry's, so that the two agree.
file(STRINGS ${_pkg}/changelog _entree LIMIT_COUNT 1)
if(NOT _entree MATCHES "^voltexa \\(${PROJECT_VERSION}-([0-9]+)\\) ")
  message(FATAL_ERROR "packaging/changelog: the newest entry is not of version ${PROJECT_VERSION}-N")
endif()
set(CPACK_DEBIAN_PACKAGE_RELEASE ${CMAKE_MATCH_1})
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries come from dpkg-shlibdeps; the windowing-system plugin and the
# fonts are loaded at run time, which it cannot see.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The toolkit's own dialogs (file chooser, print dialog) in the user's
# language come from Qt's translations.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-dejavu-core")
# The desktop opens exported workbooks with its spreadsheet program.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xdg-utils, libreoffice-calc | gnumeric")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Files under /etc are the administrator's: dpkg keeps their edits.
file(WRITE ${CMAKE_BINARY_DIR}/packaging/conffiles "/etc/voltexa/example.conf\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/packaging/conffiles)
include(CPack)
