cmake_minimum_required(VERSION 3.25)
# Packs the shipped exes, README, LICENSE, the task definition and the examples into a zip
# and an MSI, and writes SHA256SUMS for both. The release target runs it with -DINPUTS=FILE;
# -DVERSION=TEXT and -DDIST=DIR stand in for the release version and the output folder.
include(${INPUTS})
include(${CMAKE_CURRENT_LIST_DIR}/version.cmake)

# Names Tessark to Windows Installer across all its versions: never change it.
set(upgradecode 03573EBD-21E5-41B2-A193-4CC5DAE17EBF)

if(NOT VERSION)
  tessark_readrelease(${source} VERSION)
endif()
tessark_numericversion(${VERSION} numeric)
if(NOT numeric)
  message(FATAL_ERROR "version ${VERSION} has no numeric form (see version.cmake)")
endif()
string(REGEX REPLACE "\\.0$" "" productversion ${numeric})
# A product code of its own for each version, the same for every build of it: a later
# version then replaces an earlier one (a major upgrade), and builds stay alike.
string(UUID productcode NAMESPACE ${upgradecode} NAME ${VERSION} TYPE SHA1 UPPER)
if(DIST)
  set(dist ${DIST})
  set(work ${DIST}/work)
endif()

# Every time stamp in the packages is the commit's.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git -C ${source} log -1 --format=%ct OUTPUT_VARIABLE epoch
                  OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE rc ERROR_QUIET)
  if(NOT rc EQUAL 0 OR NOT epoch)
    message(FATAL_ERROR "${source} is no git checkout: set SOURCE_DATE_EPOCH")
  endif()
endif()

function(run dir)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${dir} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}")
  endif()
endfunction()

# The files in the order they are packed, staged with fixed modes and times.
set(stage ${work}/stage)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${stage})
set(files)
macro(ship from to)
  get_filename_component(dir ${stage}/${to} DIRECTORY)
  file(MAKE_DIRECTORY ${dir})
  file(COPY_FILE ${from} ${stage}/${to})
  file(CHMOD ${stage}/${to} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  list(APPEND files ${to})
endmacro()
foreach(exe ${exes})
  get_filename_component(name ${exe} NAME)
  ship(${exe} ${name})
endforeach()
ship(${source}/README.md README.md)
ship(${source}/LICENSE LICENSE)
ship(${source}/packaging/tessark-task.xml tessark-task.xml)
file(GLOB examples RELATIVE ${source}/examples ${source}/examples/*.cfg)
list(SORT examples)
foreach(example ${examples})
  ship(${source}/examples/${example} examples/${example})
endforeach()
run(${stage} touch -d @${epoch} ${files})

set(base tessark-${VERSION}-win64)
file(MAKE_DIRECTORY ${dist})
# Those of earlier versions too: SHA256SUMS names only this one.
file(GLOB packed ${dist}/tessark-*-win64.zip ${dist}/tessark-*-win64.msi)
file(REMOVE ${packed} ${dist}/SHA256SUMS)

# No extra attributes (owner, Unix times) and DOS times in UTC, whatever the machine's zone.
run(${stage} ${CMAKE_COMMAND} -E env TZ=UTC zip -X -D -q ${dist}/${base}.zip ${files})

# The MSI's file list, one component a file, so that uninstalling removes exactly these.
set(components)
set(refs)
set(opendir "")
foreach(file ${files})
  get_filename_component(dir ${file} DIRECTORY)
  if(NOT dir STREQUAL opendir)
    if(opendir)
      string(APPEND components "      </Directory>\n")
    endif()
    if(dir MATCHES /)
      message(FATAL_ERROR "${file}: only one level of folders is packed")
    endif()
    string(MAKE_C_IDENTIFIER "dir_${dir}" id)
    string(APPEND components "      <Directory Id=\"${id}\" Name=\"${dir}\">\n")
    set(opendir ${dir})
  endif()
  string(MAKE_C_IDENTIFIER ${file} id)
  string(APPEND components "        <Component Id=\"${id}\" Guid=\"*\" Win64=\"yes\">"
         "<File Id=\"${id}\" Source=\"stage/${file}\" KeyPath=\"yes\"/></Component>\n")
  string(APPEND refs "      <ComponentRef Id=\"${id}\"/>\n")
endforeach()
if(opendir)
  string(APPEND components "      </Directory>\n")
endif()
file(WRITE ${work}/files.wxs "<?xml version=\"1.0\" encoding=\"utf-8\"?>
<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">
  <Fragment>
    <DirectoryRef Id=\"INSTALLDIR\">
${components}    </DirectoryRef>
    <ComponentGroup Id=\"shipped\">
${refs}    </ComponentGroup>
  </Fragment>
</Wix>
")
# wixl takes sources relative to where it runs.
run(${work} wixl -a x64 -D versiontext=${VERSION} -D version=${productversion}
    -D productcode=${productcode} -D upgradecode=${upgradecode}
    -o ${dist}/${base}.msi ${source}/packaging/tessark.wxs ${work}/files.wxs)

file(SHA256 ${dist}/${base}.zip zipsum)
file(SHA256 ${dist}/${base}.msi msisum)
file(WRITE ${dist}/SHA256SUMS "${zipsum}  ${base}.zip\n${msisum}  ${base}.msi\n")
message(STATUS "release ${VERSION} (${productversion}) in ${dist}")
