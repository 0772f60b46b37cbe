# `format` rewrites every C++ file of ours with the committed .clang-format;
# `format-check` fails when a file is not formatted.
find_program(CLANG_FORMAT_EXE NAMES clang-format clang-format-14)
if(CLANG_FORMAT_EXE)
  file(GLOB_RECURSE _velkar_format_files CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h
    ${PROJECT_SOURCE_DIR}/tests/*.cpp ${PROJECT_SOURCE_DIR}/tests/*.h
    ${PROJECT_SOURCE_DIR}/tools/*.cpp ${PROJECT_SOURCE_DIR}/tools/*.h
    ${PROJECT_SOURCE_DIR}/bench/*.cpp ${PROJECT_SOURCE_DIR}/fuzz/*.cpp ${PROJECT_SOURCE_DIR}/fuzz/*.h
    ${PROJECT_SOURCE_DIR}/web/binding/*.cpp)
  add_custom_target(format COMMAND ${CLANG_FORMAT_EXE} -i ${_velkar_format_files}
    COMMENT "Formatting sources" VERBATIM)
  add_custom_target(format-check COMMAND ${CLANG_FORMAT_EXE} --dry-run --Werror ${_velkar_format_files}
    COMMENT "Checking source formatting" VERBATIM)
endif()
