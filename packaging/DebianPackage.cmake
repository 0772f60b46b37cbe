# The control fields of the Debian package. Its files are the install rules of
# component "deb" (packaging/CMakeLists.txt and the programs' and data's own
# folders); packaging/CPackLayout.cmake installs only those for the DEB
# generator.
set(CPACK_DEBIAN_PACKAGE_NAME velkar)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VELKAR_DEB_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps; the window's captions need a font
# with Japanese glyphs, and Qt's own texts (OK, Cancel, the edit menu) its
# Japanese translation, which nothing links against. Qt SVG, which draws the
# window's charts, is named as well as found.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-japanese-gothic")
if(VELKAR_BUILD_UI)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libqt6svg6, qt6-translations-l10n")
endif()
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The long description; cpack puts CPACK_PACKAGE_DESCRIPTION_SUMMARY above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Velkar computes the damage that a chosen weapon, its sharpness and a
list of attack motions deal to every body region of a monster, with the
skills and items that change attack power, and copies the calculation
to the clipboard as a text report. Its window has Japanese captions.
.
The package also holds velkar-tool, which lists, reports and ranks the
same calculations on the command line and converts the game data's
INI sources into the data files both programs read. Sample game data
comes with it.")
