# Read by cpack for each generator: the portable archive takes the plain
# install rules (one flat folder), the Debian package only the rules of
# component "deb", which lay the same programs and data out below /usr.
if(CPACK_GENERATOR STREQUAL "DEB")
  string(REPLACE ";ALL;" ";deb;" CPACK_INSTALL_CMAKE_PROJECTS "${CPACK_INSTALL_CMAKE_PROJECTS}")
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()
