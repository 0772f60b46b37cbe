# Compiler settings shared by every Velkar target.
#
# The damage arithmetic must give the same IEEE double results on every
# machine, in the order the code writes it: contraction of a multiply and an
# add into one fused instruction changes the last bits, so it is switched off
# everywhere, and -ffast-math is never used.
add_compile_options(-ffp-contract=off -fno-fast-math)

# Debug builds check every index into a standard container or span, so a read
# past the end of hostile bytes stops the test that reaches it.
add_compile_definitions($<$<CONFIG:Debug>:_GLIBCXX_ASSERTIONS>)

set(VELKAR_WARNING_FLAGS
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
  -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual -Wcast-align
  -Wnull-dereference -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough)
# GCC 12 reports -Wrestrict for `"text" + std::string` at -O2 inside libstdc++
# (GCC bug 105651, a false positive fixed in GCC 13); it is no finding of ours.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  list(APPEND VELKAR_WARNING_FLAGS -Wno-restrict)
endif()
if(VELKAR_WERROR)
  list(APPEND VELKAR_WARNING_FLAGS -Werror)
endif()

# Applies the project's warnings to a target of our own (never to generated or
# third-party code).
function(velkar_warnings target)
  target_compile_options(${target} PRIVATE ${VELKAR_WARNING_FLAGS})
endfunction()

if(VELKAR_SANITIZERS)
  list(JOIN VELKAR_SANITIZERS "," _velkar_san)
  add_compile_options(-fsanitize=${_velkar_san} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${_velkar_san})
endif()
