# check(name expected_rc out_pattern err_pattern ARGS...): runs kivo-batch
# (BATCH) with ARGS in WORK and fails unless the exit code is expected_rc and
# stdout and stderr match the patterns; stdout is left in `output`.
function(check name expected_rc out_pattern err_pattern)
  execute_process(COMMAND ${BATCH} ${ARGN} WORKING_DIRECTORY ${WORK}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL expected_rc)
    message(FATAL_ERROR "${name}: exit code ${rc}, expected ${expected_rc} (stderr: ${err})")
  endif()
  if(NOT out MATCHES "${out_pattern}")
    message(FATAL_ERROR "${name}: stdout '${out}' does not match '${out_pattern}'")
  endif()
  if(NOT err MATCHES "${err_pattern}")
    message(FATAL_ERROR "${name}: stderr '${err}' does not match '${err_pattern}'")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()
