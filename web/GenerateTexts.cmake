# Script mode: cmake "-DINPUTS=a.txt;b.txt" -DOUTPUT=texts.js -P GenerateTexts.cmake
#
# The INPUTS are tables of texts as the core's (ReadTexts.cmake; a name in
# two of them stops the build); OUTPUT is an ES module whose default export
# maps every name to its text (UTF-8, \n for a line break).
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/ReadTexts.cmake)
velkar_read_texts(texts ${INPUTS})
set(body "")
foreach(name IN LISTS texts_NAMES)
  string(REPLACE "\"" "\\\"" text "${texts_${name}}")
  string(APPEND body "  ${name}: \"${text}\",\n")
endforeach()
file(WRITE ${OUTPUT} "// Generated from src/texts/texts.txt and web/texts.txt; do not edit.\nexport default Object.freeze({\n${body}});\n")
