# What makes an exe part of the release: a version resource, a manifest and a place in the
# list of shipped exes (the global property tessarkshipped) that the release and its tests
# read. The file version is tessark.exe's version text (src/driver/version.cpp), the product
# version the kit's release version (packaging/releaseversion.txt).
include(${CMAKE_CURRENT_LIST_DIR}/version.cmake)
set(tessarkpackaging ${CMAKE_CURRENT_LIST_DIR})

tessark_readversion(${PROJECT_SOURCE_DIR} tessarkversion)
tessark_readrelease(${PROJECT_SOURCE_DIR} tessarkrelease)
foreach(text ${tessarkversion} ${tessarkrelease})
  tessark_numericversion(${text} numeric)
  if(NOT numeric)
    message(FATAL_ERROR "version ${text} has no numeric form (see packaging/version.cmake)")
  endif()
endforeach()
tessark_numericversion(${tessarkversion} tessarknumeric)
tessark_numericversion(${tessarkrelease} tessarkreleasenumeric)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/src/driver/version.cpp
             ${PROJECT_SOURCE_DIR}/packaging/releaseversion.txt)

set(TESSARK_DISTDIR ${CMAKE_BINARY_DIR}/dist CACHE PATH
    "where the release target writes the zip, the MSI and SHA256SUMS")

# Makes TARGET a shipped exe that Explorer's Properties describe as DESCRIPTION.
function(tessark_ship target description)
  set(name ${target})
  string(REPLACE . , numericfields ${tessarknumeric})
  string(REPLACE . , releasefields ${tessarkreleasenumeric})
  set(flags 0)
  if(tessarkrelease MATCHES "[a-z]")
    set(flags VS_FF_PRERELEASE)
  endif()
  set(out ${CMAKE_BINARY_DIR}/packaging/${target})
  configure_file(${tessarkpackaging}/app.manifest.in ${out}.manifest @ONLY)
  configure_file(${tessarkpackaging}/version.rc.in ${out}.rc @ONLY)
  target_sources(${target} PRIVATE ${out}.rc)
  # windres reads the manifest, but the build does not know.
  set_source_files_properties(${out}.rc PROPERTIES OBJECT_DEPENDS ${out}.manifest)
  set_property(GLOBAL APPEND PROPERTY tessarkshipped ${target})
endfunction()
