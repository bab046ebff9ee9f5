# Read by CPack once per generator: the .deb installs under /usr, the tarball
# and the zip hold one folder named after the package.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
else()
  set(CPACK_PACKAGING_INSTALL_PREFIX /)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
