# kivo-batch check and resave. Each case: arguments, expected exit code,
# expected stdout ("*" for any) and a pattern for stderr.
function(check name expected_rc expected_out expected_err)
  execute_process(COMMAND ${BATCH} ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL expected_rc)
    message(FATAL_ERROR "${name}: exit code ${rc}, expected ${expected_rc} (stderr: ${err})")
  endif()
  if(NOT "${expected_out}" STREQUAL "*" AND NOT out STREQUAL "${expected_out}")
    message(FATAL_ERROR "${name}: stdout '${out}', expected '${expected_out}'")
  endif()
  if(NOT err MATCHES "${expected_err}")
    message(FATAL_ERROR "${name}: stderr '${err}' does not match '${expected_err}'")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

set(objects
"controller	1	FIC-101	Vazão de entrada
controller	10	TIC-110	Temperatura do reator
process	21	FT-101	Vazão de carga
process	71	TT-110	Temperatura do reator
block	41	FY-101	Razão ar/combustível
block	75	TY-110	Divisão de faixa
recorder	202	TR-1	Malha de temperatura
text	101		Temperatura
text	120		Bomba
")
check(check_ok 0 "${objects}" "^$" check ${FIXTURES}/complete.smp)
check(check_messages 0 "Controlador 1: Kp inválido\n${objects}" "^$" check ${FIXTURES}/messages.smp)
check(check_bad 3 "" "^kivo-batch check: Erro de leitura em \"[^\"]*bad.smp\", linha 259: \"um\" não é um número inteiro válido.\n$"
      check ${FIXTURES}/bad.smp)
check(check_bad_english 3 "" "^kivo-batch check: Read error in \"[^\"]*bad.smp\", line 259: \"um\" is not a valid integer.\n$"
      check --english ${FIXTURES}/bad.smp)
check(check_missing 3 "" "Cannot open \"[^\"]*falta.smp\"" check ${FIXTURES}/falta.smp --english)
check(check_usage 2 "" "expected one project file" check)
check(check_help 0 "*" "^$" check --help)

check(resave_ok 0 "" "^$" resave ${FIXTURES}/complete.smp ${WORK}/copia.smp)
file(READ ${FIXTURES}/complete.smp original HEX)
file(READ ${WORK}/copia.smp copy HEX)
if(NOT original STREQUAL copy)
  message(FATAL_ERROR "resave: the copy differs from the original")
endif()
check(resave_bad 3 "" "linha 259" resave ${FIXTURES}/bad.smp ${WORK}/nao.smp)
if(EXISTS ${WORK}/nao.smp)
  message(FATAL_ERROR "resave: a failed load still wrote the output")
endif()
check(resave_unwritable 3 "*" "Não foi possível salvar" resave ${FIXTURES}/complete.smp ${WORK}/falta/copia.smp)
check(resave_usage 2 "" "expected an input and an output" resave ${FIXTURES}/complete.smp)
