# Settings for the WebAssembly build (the `web` preset, emscripten's
# toolchain). The core and velkar-tool build from the same sources as on the
# desktop; web/ adds the page's binding and the site.
#
# Header-only libraries: the toolchain searches only its own system root, so
# the build takes a copy of the host's headers (never the host's include
# folder itself, which holds glibc's headers too) and defines the targets the
# native build gets from find_package.
function(velkar_web_header_library target header)
  find_path(_velkar_header_root ${header} PATHS /usr/local/include /usr/include
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH NO_CACHE REQUIRED)
  string(REGEX REPLACE "/.*" "" folder ${header})
  set(copy ${PROJECT_BINARY_DIR}/host-headers)
  file(COPY ${_velkar_header_root}/${folder} DESTINATION ${copy})
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  target_include_directories(${target} SYSTEM INTERFACE ${copy})
endfunction()

velkar_web_header_library(nlohmann_json::nlohmann_json nlohmann/json.hpp)
velkar_web_header_library(CLI11::CLI11 CLI/CLI.hpp)

# The programs that run at build time (velkar-tool converting the sample
# data) run under node with the host's real file system. Exceptions are
# caught natively by WebAssembly where a program needs them (CLI11 reports
# through them); the page's module leaves them out (web/CMakeLists.txt).
# The module is carried inside the script (SINGLE_FILE): node 18 and later
# would otherwise try to fetch() it from a file path.
set(VELKAR_WEB_NODE_LINK_OPTIONS -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1 -sSINGLE_FILE=1
  -fwasm-exceptions)
