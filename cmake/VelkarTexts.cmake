# The program's own Japanese texts live in a readable UTF-8 table
# (src/texts/texts.txt); the core needs them as Shift-JIS bytes, so the build
# converts the table into a header of byte-exact string constants.
set(VELKAR_TEXTS_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/GenerateSjisTexts.cmake)

# velkar_generate_texts(<input.txt> <output.h> [FACES <table.txt>...])
# FACES: the tables of what one face alone says; none may repeat a name of
# the input.
function(velkar_generate_texts input output)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "FACES")
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} "-DFACES=${arg_FACES}"
      -P ${VELKAR_TEXTS_SCRIPT}
    DEPENDS ${input} ${arg_FACES} ${VELKAR_TEXTS_SCRIPT}
      ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/ReadTexts.cmake
    COMMENT "Converting ${input} to Shift-JIS constants"
    VERBATIM)
endfunction()
