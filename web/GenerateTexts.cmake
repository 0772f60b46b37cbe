# Script mode: cmake "-DINPUTS=a.txt;b.txt" -DOUTPUT=texts.js -P GenerateTexts.cmake
#
# Each non-empty line of the INPUTS that does not start with '#' is
# kName<TAB>text (UTF-8, \n for a line break), as in the core's table; OUTPUT
# is an ES module whose default export maps every name to its text.
set(body "")
foreach(input IN LISTS INPUTS)
  file(STRINGS ${input} lines ENCODING UTF-8)
  foreach(line IN LISTS lines)
    if(line STREQUAL "" OR line MATCHES "^#")
      continue()
    endif()
    if(NOT line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)\t(.*)$")
      message(FATAL_ERROR "${input}: malformed line: ${line}")
    endif()
    set(text "${CMAKE_MATCH_2}")
    string(REPLACE "\"" "\\\"" text "${text}")
    string(APPEND body "  ${CMAKE_MATCH_1}: \"${text}\",\n")
  endforeach()
endforeach()
file(WRITE ${OUTPUT} "// Generated from src/texts/texts.txt and web/texts.txt; do not edit.\nexport default Object.freeze({\n${body}});\n")
