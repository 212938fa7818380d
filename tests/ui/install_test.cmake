# Installs the build into a scratch prefix and checks that the program, its
# data folder and the desktop files are where a desktop expects them.
set(prefix "${BIN}/install-test")
file(REMOVE_RECURSE "${prefix}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BIN}" --prefix "${prefix}"
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()
foreach(f bin/kivo bin/kivo-batch
          share/kivo/examples/boiler/boiler.smp share/kivo/examples/boiler/boiler.bmp
          share/kivo/help/pt/index.html share/kivo/help/en/ferramentas/index.html share/kivo/help/style.css
          share/applications/kivo.desktop share/icons/hicolor/scalable/apps/kivo.svg
          share/mime/packages/kivo.xml)
  if(NOT EXISTS "${prefix}/${f}")
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
file(READ "${prefix}/share/applications/kivo.desktop" desktop)
if(NOT desktop MATCHES "MimeType=application/x-kivo-project;" OR NOT desktop MATCHES "Exec=kivo %f")
  message(FATAL_ERROR "desktop entry without the project type or the file argument")
endif()
file(REMOVE_RECURSE "${prefix}")
