# Script mode: builds the portable archive with cpack, unpacks it, moves the
# unpacked folder to a place whose name needs quoting in every way (spaces,
# quotes, $, %, a backslash, Japanese) and runs it from there with another
# working folder: velkar-tool must find its data beside itself and print what
# it prints in the build folder; the desktop entry script must write an entry
# whose paths lead back to the moved folder.
#
#   -DCPACK_CONFIG=  CPackConfig.cmake of the build
#   -DPACKAGE_NAME=  the archive's name without .tar.gz
#   -DBUILD_DATA_DIR= the build's output folder (programs and data)
#   -DWORK_DIR=      a scratch folder, emptied first
#   -DEXEC_READER=   desktop-exec.sh
cmake_minimum_required(VERSION 3.25)

foreach(name IN ITEMS CPACK_CONFIG PACKAGE_NAME BUILD_DATA_DIR WORK_DIR EXEC_READER)
  if(NOT DEFINED ${name} OR "${${name}}" STREQUAL "")
    message(FATAL_ERROR "${name} is not set")
  endif()
endforeach()

# run(<out-var> COMMAND ... [WORKING_DIRECTORY dir]): runs a command that must
# succeed and returns its standard output.
function(run out_var)
  cmake_parse_arguments(ARG "" "WORKING_DIRECTORY" "COMMAND" ${ARGN})
  if(NOT ARG_WORKING_DIRECTORY)
    set(ARG_WORKING_DIRECTORY ${WORK_DIR})
  endif()
  execute_process(COMMAND ${ARG_COMMAND}
    WORKING_DIRECTORY ${ARG_WORKING_DIRECTORY}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARG_COMMAND}\n${out}\n${err}")
  endif()
  set(${out_var} "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# The archive.
run(ignored COMMAND ${CMAKE_CPACK_COMMAND} --config ${CPACK_CONFIG} -G TGZ -B ${WORK_DIR}/cpack)
set(archive ${WORK_DIR}/cpack/${PACKAGE_NAME}.tar.gz)
if(NOT EXISTS ${archive})
  message(FATAL_ERROR "cpack wrote no ${archive}")
endif()

# It unpacks into exactly one folder named like the archive.
set(unpacked "${WORK_DIR}/unpacked here")
file(MAKE_DIRECTORY "${unpacked}")
run(ignored COMMAND ${CMAKE_COMMAND} -E tar xzf ${archive} WORKING_DIRECTORY "${unpacked}")
file(GLOB top RELATIVE "${unpacked}" "${unpacked}/*")
if(NOT top STREQUAL PACKAGE_NAME)
  message(FATAL_ERROR "the archive holds [${top}] at its top, not one folder ${PACKAGE_NAME}")
endif()

# Moved elsewhere, and the place it was unpacked to is gone.
set(folder "${WORK_DIR}/moved \"Velkar\" $HOME `x` 100% a\\b 狩り")
file(RENAME "${unpacked}/${PACKAGE_NAME}" "${folder}")
file(REMOVE_RECURSE "${unpacked}")

# Exactly these files: the programs, the sample data of every data file
# (the weapon categories' and the monsters'), the desktop entry, its icon and
# script, and the manual page. No test program or build file slips in.
string(REPLACE "," ";" stems "${STEMS}")
set(expected Velkar velkar-tool velkar-tool.1 velkar.desktop velkar.png install-desktop-entry.sh)
foreach(stem IN LISTS stems)
  list(APPEND expected ${stem}.ini ${stem}.dat)
endforeach()
file(GLOB_RECURSE present LIST_DIRECTORIES true RELATIVE "${folder}" "${folder}/*")
list(SORT expected)
list(SORT present)
if(NOT present STREQUAL expected)
  message(FATAL_ERROR "the package holds\n  ${present}\nexpected\n  ${expected}")
endif()
foreach(program IN ITEMS Velkar velkar-tool install-desktop-entry.sh)
  run(ignored COMMAND sh -c "test -x \"$1\"" sh "${folder}/${program}")
endforeach()

# The sample data are the build's own, byte for byte.
foreach(stem IN LISTS stems)
  foreach(ext IN ITEMS ini dat)
    file(SHA256 "${folder}/${stem}.${ext}" packaged)
    file(SHA256 "${BUILD_DATA_DIR}/${stem}.${ext}" built)
    if(NOT packaged STREQUAL built)
      message(FATAL_ERROR "${stem}.${ext} differs from the build's")
    endif()
  endforeach()
endforeach()

# No run path: nothing ties the programs to the build machine's folders.
find_program(READELF readelf)
if(READELF)
  foreach(program IN ITEMS Velkar velkar-tool)
    run(dynamic COMMAND ${READELF} -d "${folder}/${program}")
    if(dynamic MATCHES "RPATH|RUNPATH")
      message(FATAL_ERROR "${program} carries a run path:\n${dynamic}")
    endif()
  endforeach()
else()
  message(STATUS "readelf not found: run paths not checked")
endif()

# velkar-tool from another working folder, without --dir, answers as the
# build's velkar-tool does on the build's data.
set(report_args report --category 0 --weapon 1 --monster 1 --anger --modifier 1021
  --motion 0 --motion 5 --motion 5 --explain)
foreach(command IN ITEMS list report)
  set(args ${command})
  if(command STREQUAL report)
    set(args ${report_args})
  endif()
  run(moved COMMAND "${folder}/velkar-tool" ${args})
  run(built COMMAND ${BUILD_DATA_DIR}/velkar-tool --dir ${BUILD_DATA_DIR} ${args})
  if(NOT moved STREQUAL built OR moved STREQUAL "")
    message(FATAL_ERROR "velkar-tool ${args} from the package printed\n${moved}\nthe build's\n${built}")
  endif()
endforeach()
if(NOT moved MATCHES "running")
  message(FATAL_ERROR "report --explain printed no breakdown:\n${moved}")
endif()

# It reads the files beside itself: without its monster file it lists no
# monster, whatever lies in the build folder.
run(with_monsters COMMAND "${folder}/velkar-tool" list)
file(RENAME "${folder}/Monster.dat" "${WORK_DIR}/Monster.dat")
run(without_monsters COMMAND "${folder}/velkar-tool" list)
file(RENAME "${WORK_DIR}/Monster.dat" "${folder}/Monster.dat")
if(with_monsters STREQUAL without_monsters)
  message(FATAL_ERROR "velkar-tool list did not change without the package's Monster.dat")
endif()

# The desktop entry: the packaged one names the program and the icon; the
# script writes one with the moved folder's absolute paths, and takes it away.
file(STRINGS "${folder}/velkar.desktop" template)
foreach(key IN ITEMS "[Desktop Entry]" "Type=Application" "Name=Velkar" "Exec=Velkar" "Icon=velkar")
  if(NOT key IN_LIST template)
    message(FATAL_ERROR "velkar.desktop has no line ${key}")
  endif()
endforeach()
set(xdg ${WORK_DIR}/xdg)
set(entry ${xdg}/applications/velkar.desktop)
run(ignored COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_HOME=${xdg}
  sh "${folder}/install-desktop-entry.sh")
foreach(pair IN ITEMS "Exec|Velkar" "TryExec|Velkar" "Icon|velkar.png" "Path|")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 key)
  list(GET pair 1 file)
  run(value COMMAND sh ${EXEC_READER} ${entry} ${key})
  set(want "${folder}")
  if(file)
    set(want "${folder}/${file}")
  endif()
  if(NOT value STREQUAL want)
    message(FATAL_ERROR "${key} of the written entry reads\n  ${value}\nnot\n  ${want}")
  endif()
endforeach()
file(STRINGS ${entry} written)
if(NOT "Name=Velkar" IN_LIST written)
  message(FATAL_ERROR "the written entry lost the template's lines")
endif()
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
  run(ignored COMMAND ${DESKTOP_FILE_VALIDATE} ${entry})
  run(ignored COMMAND ${DESKTOP_FILE_VALIDATE} "${folder}/velkar.desktop")
endif()
run(ignored COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_HOME=${xdg}
  sh "${folder}/install-desktop-entry.sh" --remove)
if(EXISTS ${entry})
  message(FATAL_ERROR "--remove left ${entry}")
endif()
