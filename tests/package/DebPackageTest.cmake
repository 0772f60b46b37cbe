# Script mode: builds the Debian package with cpack and checks it without
# installing it: its control fields (name, version, section, dependencies
# from dpkg-shlibdeps plus the Japanese font), its file list (programs and
# data together in /usr/lib/velkar, relative links in /usr/bin, the menu
# entry, the icons, the AppStream file, compressed manual pages, the
# copyright file) and, unpacked, that both programs run through their links
# in /usr/bin and find the data beside their real files. desktop-file-validate,
# appstreamcli and lintian check what they know when they are installed.
#
#   -DCPACK_CONFIG=   CPackConfig.cmake of the build
#   -DVERSION=        the project's version
#   -DBUILD_DATA_DIR= the build's output folder (programs and data)
#   -DWORK_DIR=       a scratch folder, emptied first
#   -DWITH_UI=        ON when the window is built
cmake_minimum_required(VERSION 3.25)

foreach(name IN ITEMS CPACK_CONFIG VERSION BUILD_DATA_DIR WORK_DIR)
  if(NOT DEFINED ${name} OR "${${name}}" STREQUAL "")
    message(FATAL_ERROR "${name} is not set")
  endif()
endforeach()

find_program(DPKG_DEB dpkg-deb)
if(NOT DPKG_DEB)
  message("SKIP: dpkg-deb is not installed, so no Debian package can be built or read")
  return()
endif()

# run(<out-var> COMMAND ...): runs a command that must succeed and returns
# its standard output.
function(run out_var)
  cmake_parse_arguments(ARG "" "" "COMMAND" ${ARGN})
  execute_process(COMMAND ${ARG_COMMAND} WORKING_DIRECTORY ${WORK_DIR}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARG_COMMAND}\n${out}\n${err}")
  endif()
  set(${out_var} "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

run(ignored COMMAND ${CMAKE_CPACK_COMMAND} --config ${CPACK_CONFIG} -G DEB -B ${WORK_DIR}/cpack)
file(GLOB debs ${WORK_DIR}/cpack/*.deb)
run(arch COMMAND dpkg --print-architecture)
string(STRIP "${arch}" arch)
set(deb ${WORK_DIR}/cpack/velkar_${VERSION}_${arch}.deb)
if(NOT debs STREQUAL deb)
  message(FATAL_ERROR "cpack wrote [${debs}], not ${deb}")
endif()

# The control fields.
foreach(pair IN ITEMS "Package|velkar" "Version|${VERSION}" "Architecture|${arch}"
                      "Section|games")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 field)
  list(GET pair 1 want)
  run(value COMMAND ${DPKG_DEB} --field ${deb} ${field})
  string(STRIP "${value}" value)
  if(NOT value STREQUAL want)
    message(FATAL_ERROR "${field}: ${value}, not ${want}")
  endif()
endforeach()
run(maintainer COMMAND ${DPKG_DEB} --field ${deb} Maintainer)
run(description COMMAND ${DPKG_DEB} --field ${deb} Description)
if(NOT maintainer MATCHES "^[^<\n]+ <[^>@\n]+@[^>\n]+>\n$")
  message(FATAL_ERROR "no maintainer with an address: ${maintainer}")
endif()
if(NOT description MATCHES "^Damage calculator[^\n]+\n Velkar [^\n]+\n.* velkar-tool")
  message(FATAL_ERROR "no summary and long description:\n${description}")
endif()
run(depends COMMAND ${DPKG_DEB} --field ${deb} Depends)
set(wanted_depends "fonts-ipafont-gothic | fonts-japanese-gothic" "libc6 (>= ")
if(WITH_UI)
  list(APPEND wanted_depends "libqt6widgets6 (>= " "libqt6svg6" "qt6-translations-l10n")
endif()
foreach(want IN LISTS wanted_depends)
  string(FIND "${depends}" "${want}" at)
  if(at LESS 0)
    message(FATAL_ERROR "Depends lacks ${want}: ${depends}")
  endif()
endforeach()

# The file list: type, mode and path of each entry, and the links' targets.
run(contents COMMAND ${DPKG_DEB} --contents ${deb})
string(REGEX REPLACE "\n$" "" contents "${contents}")
string(REPLACE "\n" ";" lines "${contents}")
set(files)
foreach(line IN LISTS lines)
  # drwxr-xr-x root/root 0 2026-12-07 05:00 ./usr/lib/velkar/
  if(NOT line MATCHES "^([-dl])([-rwx]+) root/root +[0-9]+ [-0-9]+ [:0-9]+ \\./([^ ]*)( -> (.*))?$")
    message(FATAL_ERROR "unexpected entry: ${line}")
  endif()
  set(type ${CMAKE_MATCH_1})
  set(path ${CMAKE_MATCH_3})
  if(type STREQUAL "d")
    continue()
  endif()
  list(APPEND files "${type}${CMAKE_MATCH_2} ${path}${CMAKE_MATCH_4}")
endforeach()
string(REPLACE "," ";" stems "${STEMS}")
set(expected
  "-rwxr-xr-x usr/lib/velkar/velkar-tool"
  "lrwxrwxrwx usr/bin/velkar-tool -> ../lib/velkar/velkar-tool"
  "-rw-r--r-- usr/share/man/man1/velkar-tool.1.gz"
  "-rw-r--r-- usr/share/doc/velkar/copyright"
  "-rw-r--r-- usr/share/doc/velkar/changelog.gz"
  "-rw-r--r-- usr/share/lintian/overrides/velkar")
foreach(stem IN LISTS stems)
  list(APPEND expected "-rw-r--r-- usr/lib/velkar/${stem}.ini" "-rw-r--r-- usr/lib/velkar/${stem}.dat")
endforeach()
if(WITH_UI)
  list(APPEND expected
    "-rwxr-xr-x usr/lib/velkar/Velkar"
    "lrwxrwxrwx usr/bin/velkar -> ../lib/velkar/Velkar"
    "-rw-r--r-- usr/share/man/man1/velkar.1.gz"
    "-rw-r--r-- usr/share/applications/velkar.desktop"
    "-rw-r--r-- usr/share/metainfo/org.example.velkar.metainfo.xml"
    "-rw-r--r-- usr/share/icons/hicolor/scalable/apps/velkar.svg")
  foreach(size IN ITEMS 16 32 48 64 128 256)
    list(APPEND expected "-rw-r--r-- usr/share/icons/hicolor/${size}x${size}/apps/velkar.png")
  endforeach()
endif()
list(SORT expected)
list(SORT files)
if(NOT files STREQUAL expected)
  string(REPLACE ";" "\n  " files "${files}")
  string(REPLACE ";" "\n  " expected "${expected}")
  message(FATAL_ERROR "the package holds\n  ${files}\nexpected\n  ${expected}")
endif()

# Unpacked: the links in /usr/bin run the programs, which find their data in
# /usr/lib/velkar through the links, whatever the working folder.
set(root ${WORK_DIR}/root)
run(ignored COMMAND ${DPKG_DEB} --extract ${deb} ${root})
foreach(stem IN LISTS stems)
  file(SHA256 ${root}/usr/lib/velkar/${stem}.dat packaged)
  file(SHA256 ${BUILD_DATA_DIR}/${stem}.dat built)
  if(NOT packaged STREQUAL built)
    message(FATAL_ERROR "${stem}.dat differs from the build's")
  endif()
endforeach()
run(listed COMMAND ${root}/usr/bin/velkar-tool list)
run(built COMMAND ${BUILD_DATA_DIR}/velkar-tool --dir ${BUILD_DATA_DIR} list)
if(NOT listed STREQUAL built OR listed STREQUAL "")
  message(FATAL_ERROR "velkar-tool list through the link printed\n${listed}\nthe build's\n${built}")
endif()
file(RENAME ${root}/usr/lib/velkar/Monster.dat ${WORK_DIR}/Monster.dat)
run(without_monsters COMMAND ${root}/usr/bin/velkar-tool list)
if(without_monsters STREQUAL listed)
  message(FATAL_ERROR "velkar-tool through the link did not read /usr/lib/velkar/Monster.dat")
endif()
set(programs velkar-tool)
if(WITH_UI)
  list(APPEND programs velkar)
endif()
foreach(program IN LISTS programs)
  run(version COMMAND ${root}/usr/bin/${program} --version)
  if(NOT version MATCHES "^[A-Za-z-]+ ${VERSION}\n$")
    message(FATAL_ERROR "${program} --version printed: ${version}")
  endif()
endforeach()

# The checkers, where installed.
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(WITH_UI AND DESKTOP_FILE_VALIDATE)
  set(entry ${root}/usr/share/applications/velkar.desktop)
  run(ignored COMMAND ${DESKTOP_FILE_VALIDATE} ${entry})
  file(STRINGS ${entry} lines)
  foreach(line IN ITEMS "Exec=velkar" "Icon=velkar" "Categories=Game;Utility;")
    if(NOT line IN_LIST lines)
      message(FATAL_ERROR "velkar.desktop has no line ${line}")
    endif()
  endforeach()
endif()
find_program(APPSTREAMCLI appstreamcli)
if(WITH_UI AND APPSTREAMCLI)
  run(ignored COMMAND ${APPSTREAMCLI} validate --no-net --pedantic
    ${root}/usr/share/metainfo/org.example.velkar.metainfo.xml)
endif()
find_program(LINTIAN lintian)
if(LINTIAN)
  run(report COMMAND ${LINTIAN} --fail-on error --display-info ${deb})
  message(STATUS "lintian:\n${report}")
endif()
