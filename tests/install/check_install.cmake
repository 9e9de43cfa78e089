# Installs the build into a fresh prefix and checks that every file a
# desktop needs is in place and usable: both programs answer --version and
# --help, the desktop entry passes desktop-file-validate, the file type is a
# valid shared-mime-info package, the help is where the installed program
# looks for it.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(path
    bin/vaziduvu
    bin/vaziduvu-cli
    share/vaziduvu/help/vaziduvu.html
    share/applications/vaziduvu.desktop
    share/mime/packages/vaziduvu.xml
    share/icons/hicolor/scalable/apps/vaziduvu.svg
    share/icons/hicolor/16x16/apps/vaziduvu.png
    share/icons/hicolor/48x48/apps/vaziduvu.png
    share/icons/hicolor/256x256/apps/vaziduvu.png
    share/man/man1/vaziduvu.1
    share/man/man1/vaziduvu-cli.1
    share/metainfo/org.vaziduvu.vaziduvu.metainfo.xml)
  if(NOT EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

foreach(program vaziduvu vaziduvu-cli)
  execute_process(COMMAND "${PREFIX}/bin/${program}" --version
                  RESULT_VARIABLE result OUTPUT_VARIABLE version)
  if(NOT result EQUAL 0 OR NOT version MATCHES "^${program} [0-9]+\\.[0-9]+")
    message(FATAL_ERROR "${program} --version gave ${result}: ${version}")
  endif()
  execute_process(COMMAND "${PREFIX}/bin/${program}" --help
                  RESULT_VARIABLE result OUTPUT_VARIABLE usage)
  if(NOT result EQUAL 0 OR NOT usage MATCHES "usage: ${program}")
    message(FATAL_ERROR "${program} --help gave ${result}: ${usage}")
  endif()
endforeach()

find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND "${VALIDATE}" "${PREFIX}/share/applications/vaziduvu.desktop"
                  RESULT_VARIABLE result OUTPUT_VARIABLE said ERROR_VARIABLE said)
  if(NOT result EQUAL 0 OR NOT said STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate: ${said}")
  endif()
endif()
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
  execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net
                          "${PREFIX}/share/metainfo/org.vaziduvu.vaziduvu.metainfo.xml"
                  RESULT_VARIABLE result OUTPUT_VARIABLE said ERROR_VARIABLE said)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate: ${said}")
  endif()
endif()
find_program(XMLLINT xmllint)
if(XMLLINT)
  execute_process(COMMAND "${XMLLINT}" --noout "${PREFIX}/share/mime/packages/vaziduvu.xml"
                  RESULT_VARIABLE result ERROR_VARIABLE said)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "the mime package is no XML: ${said}")
  endif()
endif()
file(REMOVE_RECURSE "${PREFIX}")
