# Script mode: cmake -DSITE=dir -DTEMPLATE=sw.js.in -DOUTPUT=sw.js -P MakeServiceWorker.cmake
#
# Lists every file of the site (but the worker itself) for the worker to keep,
# and names its cache after a hash of their contents.
file(GLOB_RECURSE files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files sw.js)
list(FILTER files EXCLUDE REGEX "\\.(ini|map)$")
list(SORT files)
set(hashes "")
set(list "")
foreach(file IN LISTS files)
  file(SHA256 ${SITE}/${file} hash)
  string(APPEND hashes "${hash}")
  string(APPEND list "  './${file}',\n")
endforeach()
string(SHA256 version "${hashes}")
string(SUBSTRING ${version} 0 16 VERSION)
set(FILES "${list}")
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
