# Where `cmake --install` and the packages put each file.
#
# Windows (the zip): everything in one folder, the two .exe at its top, text
# files as Windows-1252 with CR LF line ends (Notepad's own), the examples
# under exemplos\ and the manuals as plain text under manuais\.
#
# Linux (the .deb, the tarball, cmake --install): the programs in bin/, the
# manual pages compressed, the examples and the viewer stand-ins under
# share/talvironeska/. bin/talvironeska is a small wrapper that puts those
# stand-ins first on PATH and runs the program from lib/talvironeska/; both
# are found relative to the wrapper, so an unpacked tarball works wherever it
# lies, under a folder of any name.
include(GNUInstallDirs)

set(example_files
  f67w/COPYING
  f67w/f67w.dat
  f67w/f67w_caso.txt
  f67w/f67w_nar.eng
  f67w/talvironeska_2p1_curva_F-t.gnu
  f67w/talvironeska_2p1_dados_geral.txt
  hx711/ensaio_hx711.csv
  synthetic/sintetico.dat
  synthetic/sintetico_caso.txt
  synthetic/talvironeska_2p1_curva_F-t.gnu
  synthetic/talvironeska_2p1_dados_geral.txt
)
# The manual pages there are; the companion's may not exist yet.
set(manual_pages talvironeska)
if(EXISTS ${PROJECT_SOURCE_DIR}/man/talvironeska-inspect.1)
  list(APPEND manual_pages talvironeska-inspect)
endif()

set(release_outputs)
# One step that turns SOURCE into OUTPUT with the bash script SCRIPT (SOURCE
# and OUTPUT are its two arguments).
function(release_file script source output)
  add_custom_command(OUTPUT ${output}
    COMMAND bash ${PROJECT_SOURCE_DIR}/packaging/${script} ${source} ${output}
    DEPENDS ${source} ${PROJECT_SOURCE_DIR}/packaging/${script}
    VERBATIM)
  set(release_outputs ${release_outputs} ${output} PARENT_SCOPE)
endfunction()

set(staged ${CMAKE_BINARY_DIR}/release-files)

# The manual pages and the examples' READMEs tell a user of one package where
# its files are: SOURCE's blocks for PACKAGE (deb, tarball, zip or source)
# kept in OUTPUT, the others dropped (packaging/for-package.sh).
function(package_file package source output)
  add_custom_command(OUTPUT ${output}
    COMMAND bash ${PROJECT_SOURCE_DIR}/packaging/for-package.sh ${package} ${source} ${output}
    DEPENDS ${source} ${PROJECT_SOURCE_DIR}/packaging/for-package.sh
    VERBATIM)
  set(release_outputs ${release_outputs} ${output} PARENT_SCOPE)
endfunction()

if(WIN32)
  install(TARGETS talvironeska talvironeska-inspect RUNTIME DESTINATION .)
  # LEIA-ME.txt is kept in the repository as the Windows-1252, CR LF bytes it ships as.
  install(FILES packaging/LEIA-ME.txt DESTINATION .)
  # The guide as one HTML page, made at build time (python3-markdown).
  release_file(guide-html.sh ${PROJECT_SOURCE_DIR}/docs/guia.md ${staged}/guia.html)
  install(FILES ${staged}/guia.html DESTINATION .)
  release_file(windows-text.sh ${PROJECT_SOURCE_DIR}/LICENSE ${staged}/LICENSE.txt)
  install(FILES ${staged}/LICENSE.txt DESTINATION .)
  foreach(page IN LISTS manual_pages)
    package_file(zip ${PROJECT_SOURCE_DIR}/man/${page}.1 ${staged}/for-package/zip/${page}.1)
    release_file(man-to-text.sh ${staged}/for-package/zip/${page}.1 ${staged}/manuais/${page}.txt)
    install(FILES ${staged}/manuais/${page}.txt DESTINATION manuais)
  endforeach()
  foreach(file IN LISTS example_files)
    # Portuguese folder names; COPYING gets a suffix Notepad opens.
    string(REPLACE "synthetic/" "sintetico/" target ${file})
    string(REGEX REPLACE "/COPYING$" "/COPYING.txt" target ${target})
    release_file(windows-text.sh ${PROJECT_SOURCE_DIR}/examples/${file} ${staged}/exemplos/${target})
    get_filename_component(folder ${target} DIRECTORY)
    install(FILES ${staged}/exemplos/${target} DESTINATION exemplos/${folder})
  endforeach()
else()
  set(program_dir lib/talvironeska)
  set(data_dir ${CMAKE_INSTALL_DATADIR}/talvironeska)
  install(TARGETS talvironeska RUNTIME DESTINATION ${program_dir})
  install(TARGETS talvironeska-inspect RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  configure_file(packaging/talvironeska.in ${staged}/talvironeska @ONLY)
  install(PROGRAMS ${staged}/talvironeska DESTINATION ${CMAKE_INSTALL_BINDIR})

  # Each file in three forms, under for-package/PACKAGE/ at the path it has
  # below the install prefix: `cmake --install` installs the source tree's,
  # and CPack puts the .deb's or the tarball's over it
  # (cmake/cpack_package_files.cmake).
  set(package_files ${staged}/for-package)
  foreach(package IN ITEMS source deb tarball)
    set(tree ${package_files}/${package})
    foreach(page IN LISTS manual_pages)
      package_file(${package} ${PROJECT_SOURCE_DIR}/man/${page}.1 ${staged}/man-${package}/${page}.1)
      release_file(gzip.sh ${staged}/man-${package}/${page}.1 ${tree}/${CMAKE_INSTALL_MANDIR}/man1/${page}.1.gz)
    endforeach()
    foreach(example IN ITEMS f67w synthetic hx711)
      package_file(${package} ${PROJECT_SOURCE_DIR}/examples/${example}/README.md
        ${tree}/${data_dir}/examples/${example}/README.md)
    endforeach()
  endforeach()
  foreach(page IN LISTS manual_pages)
    install(FILES ${package_files}/source/${CMAKE_INSTALL_MANDIR}/man1/${page}.1.gz
      DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endforeach()
  foreach(file IN LISTS example_files)
    get_filename_component(folder ${file} DIRECTORY)
    install(FILES examples/${file} DESTINATION ${data_dir}/examples/${folder})
  endforeach()
  foreach(example IN ITEMS f67w synthetic hx711)
    install(FILES ${package_files}/source/${data_dir}/examples/${example}/README.md
      DESTINATION ${data_dir}/examples/${example})
  endforeach()

  # Stand-ins for the viewers the run starts (the Windows text editor and
  # gnuplot program). The repository keeps one editor script: "Notepad" and
  # "notepad" would collide on a file system that ignores case.
  set(viewer_dir ${data_dir}/viewers)
  install(PROGRAMS share/viewers/notepad share/viewers/Wgnuplot DESTINATION ${viewer_dir})
  install(PROGRAMS share/viewers/notepad DESTINATION ${viewer_dir} RENAME Notepad)

  # Debian's places for the licences and the release notes.
  set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/talvironeska)
  install(FILES packaging/debian/copyright DESTINATION ${doc_dir})
  release_file(gzip.sh ${PROJECT_SOURCE_DIR}/packaging/debian/changelog ${staged}/changelog.gz)
  install(FILES ${staged}/changelog.gz DESTINATION ${doc_dir})

  # The guide as one HTML page, made at build time (python3-markdown): in the
  # documentation folder, and with a LEIA-ME at the top of the tarball only
  # (cmake/cpack_per_generator.cmake), where a .deb must put nothing.
  release_file(guide-html.sh ${PROJECT_SOURCE_DIR}/docs/guia.md ${staged}/guia.html)
  install(FILES ${staged}/guia.html DESTINATION ${doc_dir})
  set(tarball_top ${staged}/tarball-top)
  release_file(copy.sh ${staged}/guia.html ${tarball_top}/guia.html)
  release_file(copy.sh ${PROJECT_SOURCE_DIR}/packaging/LEIA-ME-linux.txt ${tarball_top}/LEIA-ME.txt)
endif()

add_custom_target(release_files ALL DEPENDS ${release_outputs})
