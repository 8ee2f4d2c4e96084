cmake_minimum_required(VERSION 3.25)
# Version texts in release order map as documented, each above the one before (Windows
# Installer compares three fields); texts without a mapping give none.
include(${CMAKE_CURRENT_LIST_DIR}/../../packaging/version.cmake)
set(previous 0)
foreach(case 0.9=0.9.900 1.0alpha1=1.0.101 1.0beta2=1.0.202 1.0beta3=1.0.203 1.0beta10=1.0.210
             1.0rc1=1.0.301 1.0=1.0.900 1.0.1beta1=1.0.1201 1.0.1=1.0.1900 1.1=1.1.900 2.0=2.0.900
             1.0-beta2= 1.0beta= 1.0beta0= 1.0beta100= 1.0Beta2= 01.0= 1.0.0= 256.0= 1.0.66=)
  string(REPLACE = ";" pair "${case};")
  list(GET pair 0 text)
  list(GET pair 1 want)
  tessark_numericversion(${text} got)
  string(REGEX REPLACE "\\.0$" "" got "${got}")
  if(NOT got STREQUAL want OR (want AND NOT want VERSION_GREATER previous))
    message(SEND_ERROR "${text} maps to '${got}', wanted '${want}', above ${previous}")
  elseif(want)
    set(previous ${want})
  endif()
endforeach()

# The release version maps, and upgrades the installed 1.0beta2 (1.0.202) in place.
tessark_readrelease(${CMAKE_CURRENT_LIST_DIR}/../.. release)
tessark_numericversion(${release} numeric)
if(NOT numeric VERSION_GREATER 1.0.202)
  message(SEND_ERROR "release version ${release} ('${numeric}') is not above 1.0beta2's 1.0.202")
endif()
