# Installs the build into a scratch prefix and checks that a desktop finds
# everything it needs there, and that the installed program runs.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "install failed: ${result}")
endif()
set(id io.github.palabrum.palabrum)
foreach(file bin/palabrum share/applications/${id}.desktop share/metainfo/${id}.metainfo.xml share/man/man6/palabrum.6
             share/mime/packages/${id}.xml share/doc/palabrum/copyright share/palabrum/Palabrum.de.htm
             share/icons/hicolor/scalable/apps/${id}.svg share/icons/hicolor/16x16/apps/${id}.png
             share/icons/hicolor/48x48/apps/${id}.png share/icons/hicolor/256x256/apps/${id}.png
             share/palabrum/Palabrum.htm)
    if(NOT EXISTS "${PREFIX}/${file}")
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
execute_process(COMMAND "${PREFIX}/bin/palabrum" --version OUTPUT_VARIABLE version RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT version MATCHES "^palabrum ")
    message(FATAL_ERROR "the installed program did not run: ${result} ${version}")
endif()
find_program(appstreamcli appstreamcli)
if(appstreamcli)
    execute_process(COMMAND "${appstreamcli}" validate --no-net "${PREFIX}/share/metainfo/${id}.metainfo.xml"
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "metainfo refused:\n${out}")
    endif()
endif()
find_program(desktop_file_validate desktop-file-validate)
if(desktop_file_validate)
    execute_process(COMMAND "${desktop_file_validate}" "${PREFIX}/share/applications/${id}.desktop"
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "desktop entry refused:\n${out}")
    endif()
endif()
