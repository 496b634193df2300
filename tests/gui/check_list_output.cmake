# Runs palabrum --check-list on LIST and compares its output with EXPECTED.
execute_process(COMMAND "${PROGRAM}" --check-list "${LIST}" OUTPUT_VARIABLE out RESULT_VARIABLE result)
string(REPLACE "\\n" "\n" expected "${EXPECTED}")
if(NOT result EQUAL 1 OR NOT out STREQUAL "${expected}\n")
    message(FATAL_ERROR "exit ${result}, output:\n${out}\nexpected:\n${expected}")
endif()
