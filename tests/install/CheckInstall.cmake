# Runs `cmake --install` into PREFIX and checks what landed there.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()

set(id io.github.pcbprep.pcbprep)
foreach(f bin/pcbprep bin/pcbprep-cli share/applications/${id}.desktop
          share/metainfo/${id}.metainfo.xml share/icons/hicolor/scalable/apps/${id}.svg)
  if(NOT EXISTS "${PREFIX}/${f}")
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()

execute_process(COMMAND desktop-file-validate "${PREFIX}/share/applications/${id}.desktop"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0 OR out MATCHES "error")
  message(FATAL_ERROR "desktop entry does not validate:\n${out}")
endif()
execute_process(COMMAND appstreamcli validate --no-net "${PREFIX}/share/metainfo/${id}.metainfo.xml"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "metainfo does not validate:\n${out}")
endif()
file(READ "${PREFIX}/share/icons/hicolor/scalable/apps/${id}.svg" icon)
if(NOT icon MATCHES "<svg")
  message(FATAL_ERROR "icon is not an SVG")
endif()
execute_process(COMMAND "${PREFIX}/bin/pcbprep-cli" --version
                RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out MATCHES "1\\.0\\.0")
  message(FATAL_ERROR "installed pcbprep-cli --version failed: ${out}")
endif()
