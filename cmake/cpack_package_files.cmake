# Run by CPack for each Linux package once its files are staged: the manual
# pages and the examples' READMEs of that package (made at build time under
# for-package/deb and for-package/tarball, see install_layout.cmake) take the
# place of the source tree's.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(package deb)
elseif(CPACK_GENERATOR STREQUAL "TGZ")
  set(package tarball)
else()
  return()
endif()
set(from ${CPACK_TALVIRONESKA_PACKAGE_FILES}/${package})
set(to ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
file(GLOB_RECURSE files RELATIVE ${from} ${from}/*)
foreach(file IN LISTS files)
  if(NOT EXISTS ${to}/${file})
    message(FATAL_ERROR "${package}: ${file} is not among the staged files in ${to}")
  endif()
  configure_file(${from}/${file} ${to}/${file} COPYONLY)
endforeach()
