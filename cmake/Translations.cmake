# The program's texts in German and Spanish. The .ts sources live in
# resources/translations; lrelease compiles them into .qm files that travel
# inside the program. `cmake --build <dir> --target update_translations`
# brings the sources up to date with the code (lupdate, no line numbers, so
# that a change of code alone changes nothing there).
set(PALABRUM_LANGUAGES de es)
set(qt_tools ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS} /usr/lib/qt6/bin)
find_program(PALABRUM_LRELEASE lrelease HINTS ${qt_tools} REQUIRED)
find_program(PALABRUM_LUPDATE lupdate HINTS ${qt_tools})

set(ts_files)
set(qm_files)
foreach(language IN LISTS PALABRUM_LANGUAGES)
    set(ts ${PROJECT_SOURCE_DIR}/resources/translations/palabrum_${language}.ts)
    set(qm ${CMAKE_CURRENT_BINARY_DIR}/i18n/palabrum_${language}.qm)
    add_custom_command(OUTPUT ${qm}
        COMMAND ${PALABRUM_LRELEASE} -silent -nounfinished ${ts} -qm ${qm}
        DEPENDS ${ts}
        VERBATIM)
    list(APPEND ts_files ${ts})
    list(APPEND qm_files ${qm})
endforeach()
qt_add_resources(palabrum_shell palabrum_translations PREFIX /i18n BASE ${CMAKE_CURRENT_BINARY_DIR}/i18n
                 FILES ${qm_files})

set(PALABRUM_TS_FILES ${ts_files} CACHE INTERNAL "the translation sources")
# What lupdate reads: the product's folders; Tr() is the model's translate().
set(PALABRUM_LUPDATE_ARGS -silent -no-obsolete -locations none -tr-function-alias translate+=Tr -I ${PROJECT_SOURCE_DIR}
    ${PROJECT_SOURCE_DIR}/model ${PROJECT_SOURCE_DIR}/views ${PROJECT_SOURCE_DIR}/options ${PROJECT_SOURCE_DIR}/shell
    CACHE INTERNAL "how lupdate reads the product")
if(PALABRUM_LUPDATE)
    add_custom_target(update_translations
        COMMAND ${PALABRUM_LUPDATE} ${PALABRUM_LUPDATE_ARGS} -ts ${PALABRUM_TS_FILES}
        VERBATIM)
endif()
