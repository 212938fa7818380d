# Both programs print the project's version, and run without a display.
execute_process(COMMAND ${KIVO} --version OUTPUT_VARIABLE gui RESULT_VARIABLE rc1)
execute_process(COMMAND ${BATCH} --version OUTPUT_VARIABLE cli RESULT_VARIABLE rc2)
if(NOT rc1 EQUAL 0 OR NOT rc2 EQUAL 0 OR NOT gui STREQUAL "kivo ${VERSION}\n" OR NOT cli STREQUAL "kivo-batch ${VERSION}\n")
  message(FATAL_ERROR "kivo --version: '${gui}' (${rc1}); kivo-batch --version: '${cli}' (${rc2}); project: ${VERSION}")
endif()
