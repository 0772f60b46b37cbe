# The program's own Japanese texts live in a readable UTF-8 table
# (src/texts/texts.txt); the core needs them as Shift-JIS bytes, so the build
# converts the table into a header of byte-exact string constants.
set(VELKAR_TEXTS_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/GenerateSjisTexts.cmake)

# velkar_generate_texts(<input.txt> <output.h>)
function(velkar_generate_texts input output)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -P ${VELKAR_TEXTS_SCRIPT}
    DEPENDS ${input} ${VELKAR_TEXTS_SCRIPT}
    COMMENT "Converting ${input} to Shift-JIS constants"
    VERBATIM)
endfunction()
