# The package's maintainer, "Name <address>", named in the control file and on
# the changelog's entries.
#
# The project has no mail domain of its own, and an address on a made-up host
# leads nowhere: the package is signed by whoever builds it, as Debian's own
# tools do, from DEBFULLNAME and DEBEMAIL ("address" or "Name <address>"),
# else from the git identity of the checkout. The package build refuses an
# address whose host cannot receive mail.
#
# Run as a script, it prints the maintainer found for this environment, or
# the reason for refusing it on the standard error with status 1:
#   cmake [-DVOLTEXA_MAINTENEUR="Name <address>"] [-DDEPOT=checkout] -P mainteneur.cmake

# The maintainer given, else DEBFULLNAME/DEBEMAIL, else the git identity of
# the checkout `depot`; empty when none of them names an address.
function(voltexa_trouver_mainteneur donne depot resultat)
  set(_m "${donne}")
  if(_m STREQUAL "" AND NOT "$ENV{DEBEMAIL}" STREQUAL "")
    if("$ENV{DEBEMAIL}" MATCHES "<")
      set(_m "$ENV{DEBEMAIL}")
    else()
      set(_m "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
    endif()
  endif()
  if(_m STREQUAL "" AND NOT depot STREQUAL "")
    find_program(GIT_EXECUTABLE git)
    if(GIT_EXECUTABLE)
      execute_process(COMMAND ${GIT_EXECUTABLE} -C ${depot} config user.name
                      OUTPUT_VARIABLE _nom OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
      execute_process(COMMAND ${GIT_EXECUTABLE} -C ${depot} config user.email
                      OUTPUT_VARIABLE _adresse OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
      if(NOT _adresse STREQUAL "")
        set(_m "${_nom} <${_adresse}>")
      endif()
    endif()
  endif()
  string(STRIP "${_m}" _m)
  set(${resultat} "${_m}" PARENT_SCOPE)
endfunction()

# Why `mainteneur` cannot sign the package, empty when it can: a name, then an
# address on a host of at least two labels that is not under a name reserved
# never to exist or to stay on a local network (RFC 2606, 6761, 6762).
function(voltexa_refus_mainteneur mainteneur resultat)
  set(_refus "")
  if(NOT mainteneur MATCHES "^([^<>]*[^<> ])[ ]+<([^<>@ ]+)@([^<>@ ]+)>$")
    set(_refus "it is not of the form \"Name <user@host>\"")
  else()
    string(TOLOWER "${CMAKE_MATCH_3}" _hote)
    if(NOT _hote MATCHES "^([a-z0-9]([a-z0-9-]*[a-z0-9])?\\.)+[a-z][a-z0-9-]*[a-z0-9]$")
      set(_refus "its host ${_hote} is not a domain name of at least two labels")
    elseif(_hote MATCHES "(^|\\.)(invalid|example|test|localhost|local|localdomain|internal|lan|home\\.arpa)$"
           OR _hote MATCHES "(^|\\.)example\\.(com|net|org)$")
      set(_refus "its host ${_hote} is a name reserved never to exist or to stay on a local network")
    endif()
  endif()
  set(${resultat} "${_refus}" PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  voltexa_trouver_mainteneur("${VOLTEXA_MAINTENEUR}" "${DEPOT}" _m)
  voltexa_refus_mainteneur("${_m}" _refus)
  if(NOT _refus STREQUAL "")
    message(FATAL_ERROR "\"${_m}\" will not do: ${_refus}")
  endif()
  message(NOTICE "${_m}")
endif()
