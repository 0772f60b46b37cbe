# Script mode: cmake -DINPUT=texts.txt -DOUTPUT=VelkarTexts.h
#   [-DFACES=web/texts.txt] -P GenerateSjisTexts.cmake
#
# Each non-empty line of INPUT that does not start with '#' is
#   kName<TAB>text
# in UTF-8, where the text may use \r, \n and \t. The text is converted to code
# page 932 with iconv and written as a string_view of escaped bytes, so that no
# compiler ever reinterprets the Shift-JIS bytes. FACES are the tables of
# texts that a face alone shows: a name in INPUT and in one of them stops the
# build (ReadTexts.cmake).
include(${CMAKE_CURRENT_LIST_DIR}/ReadTexts.cmake)
if(DEFINED FACES)
  velkar_read_texts(all ${INPUT} ${FACES})
endif()
velkar_read_texts(texts ${INPUT})
find_program(ICONV_EXE iconv REQUIRED)
get_filename_component(tmpdir ${OUTPUT} DIRECTORY)
set(tmp_in ${tmpdir}/sjis_text_in.txt)
set(tmp_out ${tmpdir}/sjis_text_out.bin)

set(body "")
foreach(name IN LISTS texts_NAMES)
  set(text "${texts_${name}}")
  string(REPLACE "\\r" "\r" text "${text}")
  string(REPLACE "\\n" "\n" text "${text}")
  string(REPLACE "\\t" "\t" text "${text}")
  file(WRITE ${tmp_in} "${text}")
  execute_process(COMMAND ${ICONV_EXE} -f UTF-8 -t CP932 ${tmp_in}
    OUTPUT_FILE ${tmp_out} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${INPUT}: ${name} cannot be encoded in code page 932")
  endif()
  file(READ ${tmp_out} hex HEX)
  string(LENGTH "${hex}" hexlen)
  math(EXPR bytes "${hexlen} / 2")
  string(REGEX REPLACE "(..)" "\\\\x\\1" escaped "${hex}")
  string(APPEND body "inline constexpr std::string_view ${name}{\"${escaped}\", ${bytes}};\n")
endforeach()
file(REMOVE ${tmp_in} ${tmp_out})

set(content "// Generated from ${INPUT}; do not edit.\n// Shift-JIS (code page 932) texts of the program.\n#pragma once\n\n#include <string_view>\n\nnamespace txt {\n${body}}  // namespace txt\n")
if(EXISTS ${OUTPUT})
  file(READ ${OUTPUT} old)
  if(old STREQUAL content)
    return()
  endif()
endif()
file(WRITE ${OUTPUT} "${content}")
