# One way to register tests, so that every test runs in the same environment
# under ctest: UTF-8 locale, Qt on the offscreen platform, temporary files in
# the build's own test-tmp folder. That folder is emptied before the tests run
# and removed after them, so what a crashed or killed test leaves behind never
# outlives the run nor breaks the next one.
find_package(GTest REQUIRED)
include(GoogleTest)

set(VELKAR_TEST_TMP "${PROJECT_BINARY_DIR}/test-tmp")
set(VELKAR_TEST_ENV "LANG=C.UTF-8" "LC_ALL=C.UTF-8" "QT_QPA_PLATFORM=offscreen"
    "TMPDIR=${VELKAR_TEST_TMP}")

# Emptied, and there: the tests' TMPDIR must exist whichever test runs first
# (dpkg-deb and mkdtemp make nothing above their own folder).
add_test(NAME test_tmp_clear COMMAND sh -c "rm -rf '${VELKAR_TEST_TMP}' && mkdir -p '${VELKAR_TEST_TMP}'")
add_test(NAME test_tmp_remove COMMAND ${CMAKE_COMMAND} -E rm -rf ${VELKAR_TEST_TMP})
set_tests_properties(test_tmp_clear PROPERTIES FIXTURES_SETUP velkar_tmp)
set_tests_properties(test_tmp_remove PROPERTIES FIXTURES_CLEANUP velkar_tmp)

# velkar_add_gtest(name SOURCES ... [LIBS ...])
function(velkar_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  velkar_warnings(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
    TEST_LIST ${name}_TESTS
    DISCOVERY_TIMEOUT 60)
  # gtest_discover_tests flattens a list-valued property such as ENVIRONMENT,
  # so the discovered tests get theirs from a file ctest reads after them.
  set(properties "${CMAKE_CURRENT_BINARY_DIR}/${name}_properties.cmake")
  file(WRITE ${properties}
    "if(${name}_TESTS)\n"
    "  set_tests_properties(\${${name}_TESTS} PROPERTIES\n"
    "    ENVIRONMENT \"${VELKAR_TEST_ENV}\" FIXTURES_REQUIRED velkar_tmp)\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${properties})
endfunction()

# velkar_add_qtest(name SOURCES ... [LIBS ...]): a QtTest program, one ctest entry.
function(velkar_add_qtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  velkar_warnings(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${VELKAR_TEST_ENV}"
                                          FIXTURES_REQUIRED velkar_tmp)
endfunction()

# velkar_add_script_test(name COMMAND ...): a shell-level test of a program.
function(velkar_add_script_test name)
  cmake_parse_arguments(ARG "" "" "COMMAND" ${ARGN})
  add_test(NAME ${name} COMMAND ${ARG_COMMAND} WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${VELKAR_TEST_ENV}"
                                          FIXTURES_REQUIRED velkar_tmp)
endfunction()
