# Script mode: cmake -DINPUT=texts.txt -DOUTPUT=VelkarTexts.h -P GenerateSjisTexts.cmake
#
# Each non-empty line of INPUT that does not start with '#' is
#   kName<TAB>text
# in UTF-8, where the text may use \r, \n and \t. The text is converted to code
# page 932 with iconv and written as a string_view of escaped bytes, so that no
# compiler ever reinterprets the Shift-JIS bytes.
find_program(ICONV_EXE iconv REQUIRED)
file(STRINGS ${INPUT} lines ENCODING UTF-8)
get_filename_component(tmpdir ${OUTPUT} DIRECTORY)
set(tmp_in ${tmpdir}/sjis_text_in.txt)
set(tmp_out ${tmpdir}/sjis_text_out.bin)

set(body "")
foreach(line IN LISTS lines)
  if(line STREQUAL "" OR line MATCHES "^#")
    continue()
  endif()
  if(NOT line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)\t(.*)$")
    message(FATAL_ERROR "${INPUT}: malformed line: ${line}")
  endif()
  set(name ${CMAKE_MATCH_1})
  set(text "${CMAKE_MATCH_2}")
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
