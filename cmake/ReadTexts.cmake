# Reads the program's tables of texts for the generators (script mode).
#
# velkar_read_texts(<prefix> <table>...): each non-empty line of a table that
# does not start with '#' is kName<TAB>text (UTF-8). Sets <prefix>_NAMES to
# the names in order and <prefix>_<name> to each text. A text has one wording
# for every face, so a name defined twice, in one table or in two, stops the
# build, naming both places.
function(velkar_read_texts prefix)
  set(names "")
  foreach(input IN LISTS ARGN)
    file(STRINGS ${input} lines ENCODING UTF-8)
    set(number 0)
    foreach(line IN LISTS lines)
      math(EXPR number "${number} + 1")
      if(line STREQUAL "" OR line MATCHES "^#")
        continue()
      endif()
      if(NOT line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)\t(.*)$")
        message(FATAL_ERROR "${input}:${number}: malformed line: ${line}")
      endif()
      set(name ${CMAKE_MATCH_1})
      if(DEFINED place_${name})
        message(FATAL_ERROR "${name} is defined twice: at ${place_${name}} and at "
          "${input}:${number}; keep one (a face keeps its own key only for what it alone says)")
      endif()
      set(place_${name} "${input}:${number}")
      list(APPEND names ${name})
      set(${prefix}_${name} "${CMAKE_MATCH_2}" PARENT_SCOPE)
    endforeach()
  endforeach()
  set(${prefix}_NAMES ${names} PARENT_SCOPE)
endfunction()
