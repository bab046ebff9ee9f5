# The release packages, made by packaging/release.sh: from the mingw build a
# zip for Windows, from the native build a Debian package and a tarball of
# the same tree. cmake/cpack_per_generator.cmake sets what differs between
# the .deb and the tarball.
set(CPACK_PACKAGE_NAME talvironeska)
set(CPACK_PACKAGE_VENDOR "talvironeska developers")
set(CPACK_PACKAGE_CONTACT "talvironeska developers <maintainers@users.noreply.c-seed-221e3340.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "evaluate the static firing test of a small rocket motor")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack_per_generator.cmake)
# Packages hold what the install rules name, nothing of the build tree.
set(CPACK_SOURCE_GENERATOR "")

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME talvironeska-${PROJECT_VERSION}-win64)
else()
  set(CPACK_GENERATOR "DEB;TGZ")
  set(CPACK_PACKAGE_FILE_NAME talvironeska-${PROJECT_VERSION}-linux-amd64)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
  set(CPACK_DEBIAN_PACKAGE_SECTION science)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS gnuplot)
  # The manual pages and READMEs each package has in its own words
  # (cmake/cpack_package_files.cmake), and what the tarball alone holds at its
  # top (see cpack_per_generator.cmake).
  set(CPACK_TALVIRONESKA_PACKAGE_FILES ${CMAKE_BINARY_DIR}/release-files/for-package)
  set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/cpack_package_files.cmake)
  set(CPACK_TALVIRONESKA_TARBALL_TOP ${CMAKE_BINARY_DIR}/release-files/tarball-top)
  # CPack puts the summary first and indents these lines; an empty line
  # becomes the paragraph mark.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[talvironeska reads a measured thrust-versus-time record, keeps the samples
inside a time window the user chooses and computes total impulse, average
and peak thrust, burn time, impulse class and specific impulse. It writes a
report, the processed curve and a gnuplot plot. talvironeska-inspect checks
a case's input with the program's own reader before a run.

The program's texts and reports are in Portuguese. Examples, among them a
real certification firing of an F67 motor, are in /usr/share/talvironeska.]=])
endif()

# The programs are linked with full RELRO, as Debian's packages are.
if(NOT WIN32 AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  target_link_options(talvironeska PRIVATE -Wl,-z,relro,-z,now)
  target_link_options(talvironeska-inspect PRIVATE -Wl,-z,relro,-z,now)
endif()

include(CPack)
