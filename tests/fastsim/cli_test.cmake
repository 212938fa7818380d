# kivo-batch run, simulate and indices, driven as a user would. Each case:
# name, expected exit code, a pattern for stdout, a pattern for stderr and the
# arguments; the commands run in WORK, where archives are written.
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
  set(saida "${out}" PARENT_SCOPE)
endfunction()

# The last decimal of every number masked: an archive keeps two decimals, so
# indices read back from it may differ from the run's in that digit.
function(mascara var)
  string(REGEX REPLACE "([0-9]\\.[0-9]*)[0-9]" "\\1#" m "${${var}}")
  string(REGEX REPLACE "\"archive\": [^}]*" "" m "${m}")
  set(${var} "${m}" PARENT_SCOPE)
endfunction()

# The header is read as a plain string: its ";" would split a CMake list.
# (The CR LF line ends are the library tests' business.)
function(cabecalho_termina arquivo fim linhas)
  file(READ ${WORK}/${arquivo} inicio LIMIT 8000)
  string(FIND "${inicio}" "\n" fim_cab)
  string(SUBSTRING "${inicio}" 0 ${fim_cab} cab)
  if(NOT cab MATCHES "${fim}\r?$")
    message(FATAL_ERROR "${arquivo}: header does not end with ${fim}")
  endif()
  file(STRINGS ${WORK}/${arquivo} dados REGEX "^ *-?[0-9]+\\.[0-9][0-9];")
  list(LENGTH dados n)
  if(NOT n EQUAL linhas)
    message(FATAL_ERROR "${arquivo}: ${n} data lines, expected ${linhas}")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(P ${FIXTURES}/duas_malhas.smp)
set(V "[ 0-9.-]+")

# ---- run ----------------------------------------------------------------------
set(indices_pt "  Variabilidade:              ${V} %\n  Integral Erro Médio\\(IEM\\):   ${V} %\n  Int. Erro Médio Abs\\(IEMA\\):  ${V} %\n  Excursão CO:                ${V} %\n  Desvio Pad. CO:             ${V} %\n  Saturação CO:               ${V} %\n  PV min/max:                 ${V}/${V}\n")
check(run_text 0 "^Malha 1: FIC-101 \\(PV M21, auto\\)\n${indices_pt}Malha 2: TIC \"B\" \\(PV M22, manual\\)\n${indices_pt}$"
      "^$" run ${P})
check(run_english 0 "^Loop 1: FIC-101 \\(PV M21, auto\\)\n  Variability                 ${V} %\n" "^$" run ${P} --english)

set(loop1 "\\{\"loop\": 1, \"tag\": \"FIC-101\", \"pv\": 21, \"auto\": true, \"variability\": \"${V} %\", \"iem\": \"${V} %\", \"iema\": \"${V} %\", \"co_travel\": \"${V} %\", \"co_std\": \"${V} %\", \"co_saturation\": \"${V} %\", \"pv_minmax\": \"${V}/${V}\"\\}")
check(run_json 0 "^\\{\"loops\": \\[\n  ${loop1},\n  \\{\"loop\": 2, \"tag\": \"TIC \\\\\"B\\\\\"\", \"pv\": 22, \"auto\": false, [^\n]*\\}\n\\], \"archive\": null\\}\n$"
      "^$" run ${P} --format json --test sp --amplitude 5)
check(run_units 0 "\"variability\": \"${V} kg/h\", \"iem\": \"${V} kg/h\", \"iema\": \"${V} kg/h\", \"co_travel\": \"${V} %\".*\"iem\": \"${V} °C\""
      "^$" run ${P} --format json --no-normalize)

# Archives: the smallest free number, the window and its paired sample time.
check(archive_1 0 "Dados salvos no arquivo Planta_1.txd\n$" "^$" run ${P} --archive Planta --test load)
cabecalho_termina(Planta_1.txd ";0.1;1800;" 1800)
check(archive_2 0 "\"archive\": \"Planta_2.txd\"\\}\n$" "^$" run ${P} --archive Planta --window 2h --format json)
cabecalho_termina(Planta_2.txd ";0.5;7200;" 7200)
check(archive_3 0 "" "^$" run ${P} --archive Planta --window 1h --sample 1s)
cabecalho_termina(Planta_3.txd ";1.0;3600;" 3600)

# ---- indices: an archive read back gives the run's indices ---------------------
foreach(unidades "" "--no-normalize")
  check(run_for_indices 0 "" "^$" run ${P} --archive Volta --test sp --format json ${unidades})
  set(da_rodada "${saida}")
  string(REGEX MATCH "Volta_[0-9]+\\.txd" arquivo "${da_rodada}")
  check(indices_back 0 "\"archive\": \"${arquivo}\"\\}\n$" "^$" indices ${arquivo} --project ${P} --format json ${unidades})
  mascara(da_rodada)
  mascara(saida)
  if(NOT da_rodada STREQUAL saida)
    message(FATAL_ERROR "indices ${unidades}: '${saida}' differs from the run's '${da_rodada}'")
  endif()
endforeach()
check(indices_text 0 "^Malha 1: FIC-101 \\(PV M21, auto\\)\n${indices_pt}Malha 2:" "^$" indices Planta_1.txd --project ${P})

# ---- bad input: named file and line; nothing written ---------------------------
file(READ ${WORK}/Planta_1.txd inteiro LIMIT 20000)
file(WRITE ${WORK}/cortado.txd "${inteiro}")
check(indices_truncated 3 "^$" "^kivo-batch indices: Erro de leitura em \"cortado.txd\", linha [0-9]+: " indices cortado.txd --project ${P})
check(indices_truncated_en 3 "^$" "^kivo-batch indices: Read error in \"cortado.txd\", line [0-9]+: " indices cortado.txd --project ${P} --english)
string(REGEX MATCH "^[^\n]*\n" cabecalho "${inteiro}")
file(WRITE ${WORK}/so_cabecalho.txd "${cabecalho}")
check(indices_header_only 3 "^$" "o arquivo termina antes da linha 2; o cabeçalho anuncia 1800 linhas de dados" indices so_cabecalho.txd --project ${P})
check(indices_missing 3 "^$" "Não foi possível abrir \"falta.txd\"" indices falta.txd --project ${P})
check(indices_bad_project 3 "^$" "falta.smp" indices Planta_1.txd --project ${FIXTURES}/falta.smp)
check(indices_no_project 2 "^$" "--project is required" indices Planta_1.txd)
check(run_missing 3 "^$" "falta.smp" run ${FIXTURES}/falta.smp)
check(run_prefix_folder 3 "^$" "não pode conter" run ${P} --archive sub/x)
file(GLOB sobras ${WORK}/sub*)
if(sobras)
  message(FATAL_ERROR "run_prefix_folder: wrote ${sobras}")
endif()
check(run_amplitude 2 "^$" "--amplitude must be an integer, not '1.5'" run ${P} --test sp --amplitude 1.5)
check(run_window 2 "^$" "--window must be" run ${P} --window 3h)
check(run_sample 2 "^$" "--sample must be" run ${P} --sample 2s)
check(run_test 2 "^$" "--test must be" run ${P} --test ramp)
check(run_format 2 "^$" "--format must be" run ${P} --format xml)
check(run_unknown 2 "^$" "unknown option '--fast'" run ${P} --fast)
check(run_no_value 2 "^$" "--archive needs a value" run ${P} --archive)
check(run_usage 2 "^$" "expected one project file" run)
check(run_help 0 "Usage: kivo-batch run" "^$" run --help)

# ---- simulate ------------------------------------------------------------------
set(N "[^,\n]+")
check(simulate 0 "^t,M21,M01,M124\n0.1,${N},${N},${N}\n0.2,${N},${N},${N}\n0.3,${N},${N},${N}\n$" "^$"
      simulate ${P} --duration 0.3 --print M21,m1,M124)
check(simulate_every 0 "^t,M22\n0.5,${N}\n1,${N}\n1.5,${N}\n2,${N}\n$" "^$" simulate ${P} --duration 2 --print M22 --every 5)
check(simulate_step 0 "^t,M01\n0.25,${N}\n0.5,${N}\n$" "^$" simulate ${P} --duration 0.5 --step 0.25 --print M01)
check(simulate_bad_var 2 "^$" "invalid variable 'M125'" simulate ${P} --duration 1 --print M21,M125)
check(simulate_bad_step 2 "^$" "whole number of milliseconds" simulate ${P} --duration 1 --step 0.0005 --print M21)
check(simulate_no_print 2 "^$" "--print is required" simulate ${P} --duration 1)
check(simulate_no_duration 2 "^$" "--duration is required" simulate ${P} --print M21)
check(simulate_bad_duration 2 "^$" "--duration must be" simulate ${P} --duration -1 --print M21)
check(simulate_missing 3 "^$" "falta.smp" simulate ${FIXTURES}/falta.smp --duration 1 --print M21)
