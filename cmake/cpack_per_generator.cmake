# Read by CPack once per generator: the .deb installs under /usr, the tarball
# and the zip hold one folder named after the package.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
else()
  set(CPACK_PACKAGING_INSTALL_PREFIX /)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
# The tarball's LEIA-ME and guide at its top.
if(CPACK_GENERATOR STREQUAL "TGZ" AND CPACK_TALVIRONESKA_TARBALL_TOP)
  set(CPACK_INSTALLED_DIRECTORIES "${CPACK_TALVIRONESKA_TARBALL_TOP};.")
endif()
