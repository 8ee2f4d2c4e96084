# The version texts and the numbers Windows wants for them: tessark.exe's (its banner, which
# names the behaviour and log format it keeps) and the kit's release version (the zip, the
# MSI and the product version of every exe), which counts up with each release.

# Sets OUT to the version text of src/driver/version.cpp, the one place it is written.
function(tessark_readversion source out)
  file(STRINGS ${source}/src/driver/version.cpp line REGEX "^const char version\\[\\] = \"")
  if(NOT line MATCHES "\"([^\"]+)\"")
    message(FATAL_ERROR "no version text in ${source}/src/driver/version.cpp")
  endif()
  set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()

# Sets OUT to the release version, the one line of packaging/releaseversion.txt.
function(tessark_readrelease source out)
  file(STRINGS ${source}/packaging/releaseversion.txt line LIMIT_COUNT 1)
  if(NOT line MATCHES "^[^ ]+$")
    message(FATAL_ERROR "no release version in ${source}/packaging/releaseversion.txt")
  endif()
  set(${out} ${line} PARENT_SCOPE)
endfunction()

# Sets OUT to the numeric version MAJOR.MINOR.BUILD.0 of the version text TEXT, or to ""
# when TEXT has no such mapping.
#
# Windows Installer compares only the first three fields of ProductVersion (major and minor
# up to 255, build up to 65535), so pre-releases and patches share the third one:
# MAJOR.MINOR[.PATCH][alphaN|betaN|rcN] maps to BUILD = PATCH * 1000 + STAGE, where STAGE is
# 100 + N for alphaN, 200 + N for betaN, 300 + N for rcN (N from 1 to 99) and 900 for the
# release itself. 1.0beta2 is 1.0.202, 1.0beta3 1.0.203, 1.0rc1 1.0.301, 1.0 1.0.900,
# 1.0.1 1.0.1900, 1.1 1.1.900: every later release has a greater number and so upgrades an
# earlier one in place. The version resource's FILEVERSION carries the same four fields.
function(tessark_numericversion text out)
  set(${out} "" PARENT_SCOPE)
  if(NOT text MATCHES "^(0|[1-9][0-9]*)\\.(0|[1-9][0-9]*)(\\.([1-9][0-9]*))?((alpha|beta|rc)([1-9][0-9]?))?$")
    return()
  endif()
  set(major ${CMAKE_MATCH_1})
  set(minor ${CMAKE_MATCH_2})
  set(patch ${CMAKE_MATCH_4})
  set(kind ${CMAKE_MATCH_6})
  set(n ${CMAKE_MATCH_7})
  if(NOT patch)
    set(patch 0)
  endif()
  if(kind STREQUAL "alpha")
    math(EXPR stage "100 + ${n}")
  elseif(kind STREQUAL "beta")
    math(EXPR stage "200 + ${n}")
  elseif(kind STREQUAL "rc")
    math(EXPR stage "300 + ${n}")
  else()
    set(stage 900)
  endif()
  math(EXPR build "${patch} * 1000 + ${stage}")
  if(major GREATER 255 OR minor GREATER 255 OR build GREATER 65535)
    return()
  endif()
  set(${out} "${major}.${minor}.${build}.0" PARENT_SCOPE)
endfunction()
