# Installs the build into a scratch folder and checks the tree the desktop
# reads: run as a test with -DBUILD=<build folder>.
set(root ${BUILD}/install-check)
file(REMOVE_RECURSE ${root})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${root} RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()
foreach(file bin/qumoedit bin/qumoconv share/qumoedit/HTML.qmh share/qumoedit/HTML5.qmh share/qumoedit/色見本.qmc
             share/qumoedit/help/index.html
             share/qumoedit/readme.txt share/applications/qumoedit.desktop
             share/icons/hicolor/scalable/apps/qumoedit.svg share/man/man1/qumoedit.1.gz share/man/man1/qumoconv.1.gz
             share/doc/qumoedit/copyright
             share/metainfo/io.github.qumoedit.QUMOEDIT.metainfo.xml)
  if(NOT EXISTS ${root}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
# The sound module sits in the library folder the platform names (LIBDIR).
if(NOT EXISTS ${root}/${LIBDIR}/qumoedit/libqumo_sound.so)
  message(FATAL_ERROR "not installed: the sound module in ${LIBDIR}/qumoedit")
endif()
find_program(desktop_file_validate desktop-file-validate REQUIRED)
execute_process(COMMAND ${desktop_file_validate} ${root}/share/applications/qumoedit.desktop RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "desktop-file-validate refused the desktop entry")
endif()
find_program(appstreamcli appstreamcli REQUIRED)
execute_process(COMMAND ${appstreamcli} validate --no-net
                        ${root}/share/metainfo/io.github.qumoedit.QUMOEDIT.metainfo.xml RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "appstreamcli refused the metainfo file")
endif()
file(REMOVE_RECURSE ${root})
