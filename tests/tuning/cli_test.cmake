# kivo-batch bumptest and tune, driven as a student would: a step test of a
# loop, the tuning of the series it wrote, and the refusals. Each case: name,
# expected exit code, a pattern for stdout, one for stderr, the arguments.
include(${CMAKE_CURRENT_LIST_DIR}/../check_cli.cmake)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(P ${PROJECT})

check(bump_help 0 "^Usage: kivo-batch bumptest" "^$" bumptest --help)
check(tune_help 0 "^Usage: kivo-batch tune.*lowest Bayesian information criterion" "^$" tune --help)
check(bump 0 "^t,MV,PV,SP\n" "^$" bumptest ${P} --loop 1 --step 10 --duration 60)
file(WRITE ${WORK}/fic.csv "${output}")
set(fic "${output}")

check(tune_text 0 "Models .*fopdt .*best.*simc +PI .*zn +PID " "^$" tune fic.csv --loop 1 --project ${P})
check(tune_json 0 "^{" "^$" tune fic.csv --loop 1 --rule simc --tc 2 --format json)
string(JSON n LENGTH "${output}" settings)
string(JSON tc GET "${output}" settings 0 tc)
string(JSON kc TYPE "${output}" settings 0 Kc)
string(JSON iema TYPE "${output}" settings 0 setpoint iema)
string(JSON rule GET "${output}" settings 0 rule)
string(JSON interval TYPE "${output}" models 0 intervals theta)
string(JSON window TYPE "${output}" settings 0 window)
string(JSON ms TYPE "${output}" settings 0 margins ms)
string(JSON worst TYPE "${output}" settings 0 worst_margins gain)
if(n LESS 1 OR NOT tc EQUAL 2 OR NOT kc STREQUAL NUMBER OR NOT iema STREQUAL NUMBER OR NOT rule STREQUAL simc
   OR NOT output MATCHES "\"t0\":30\\.1," OR NOT interval STREQUAL NUMBER OR NOT window STREQUAL NUMBER OR NOT ms STREQUAL NUMBER
   OR NOT worst STREQUAL NUMBER)
  message(FATAL_ERROR "tune_json: ${output}")
endif()
# A rule without a closed-loop time constant: none in the JSON.
check(tune_json_amigo 0 "^{" "^$" tune fic.csv --loop 1 --rule amigo --format json)
string(JSON tc TYPE "${output}" settings 0 tc)
if(NOT tc STREQUAL NULL)
  message(FATAL_ERROR "tune_json_amigo: ${output}")
endif()
# The time at rest before the step, on the sample grid.
check(bump_lead_in 0 "\n5,50,[^\n]*\n5\\.1,60," "^$" bumptest ${P} --loop 1 --step 10 --duration 20 --lead-in 5)
check(bump_bad_lead_in 2 "^$" "--lead-in must be 1 to 86400 seconds" bumptest ${P} --loop 1 --step 10 --duration 20
      --lead-in 0)

# The relay test in automatic: the ultimate point and the closed-loop rule
# leading the settings.
check(relay_help 0 "^Usage: kivo-batch relaytest" "^$" relaytest --help)
check(relay_text 0 "relay of ±5.00 % around MV .*from t = 30.1 s.*Ultimate point of the model: gain Ku [0-9.]+, period Pu [0-9.]+ s.*zn-cl +PI "
      "^$" relaytest ${P} --loop 1)
check(relay_json 0 "^{" "^$" relaytest ${P} --loop 1 --amplitude 3 --rule zn-cl --format json)
string(JSON amplitude GET "${output}" relay amplitude)
string(JSON ku TYPE "${output}" relay ultimate_gain)
string(JSON rule GET "${output}" settings 0 rule)
if(NOT amplitude EQUAL 3 OR NOT ku STREQUAL NUMBER OR NOT rule STREQUAL zn-cl)
  message(FATAL_ERROR "relay_json: ${output}")
endif()
check(relay_bad_amplitude 2 "^$" "--amplitude must be 0.5 to 50 %" relaytest ${P} --loop 1 --amplitude 80)
check(relay_bad_rule 2 "^$" "--rule must be one of zn-cl, simc" relaytest ${P} --loop 1 --rule pid)
check(relay_no_controller 3 "^$" "no controller 7" relaytest ${P} --loop 7)

# Refusals: usage (2) and bad input (3), the reason on stderr.
check(tune_no_loop 2 "^$" "--loop is required" tune fic.csv)
check(tune_bad_rule 2 "^$" "--rule must be" tune fic.csv --loop 1 --rule pid)
check(tune_bad_tc 2 "^$" "--tc must be" tune fic.csv --loop 1 --tc -1)
file(WRITE ${WORK}/flat.csv "t,MV,PV\n")
foreach(i RANGE 1 100)
  file(APPEND ${WORK}/flat.csv "${i},40,50\n")
endforeach()
check(tune_no_step 3 "^$" "no MV step" tune flat.csv --loop 1 --english)
check(tune_no_step_pt 3 "^$" "Não há degrau de MV" tune flat.csv --loop 1)
check(tune_missing 3 "^$" "missing.csv.: No such file or directory" tune missing.csv --loop 1 --english)
check(tune_txd_without_pv 3 "^$" "needs the MV and PV addresses" tune ${WORK}/x.txd --loop 1 --english)
check(bump_no_controller 3 "^$" "no controller 7" bumptest ${P} --loop 7 --step 10 --duration 60)
check(bump_step_too_large 3 "^$" "leaves 0..100" bumptest ${P} --loop 1 --step 90 --duration 60)
check(bump_no_step 2 "^$" "--step is required" bumptest ${P} --loop 1 --duration 60)
check(bump_step_too_small 2 "^$" "--step must be 0.5 to 100 %" bumptest ${P} --loop 1 --step 1e-300 --duration 60)

# Series a hand or a damaged file made: times that jump or run off, a tiny
# closed-loop time constant. Each is refused with the limits, never an abort
# or an infinite setting.
string(REGEX REPLACE "\n[^\n]*\n$" "\n" body "${fic}")
foreach(case_ "jump=1e200=spans" "gap=1e15=spans" "uneven=200=not evenly sampled")
  string(REPLACE "=" ";" case_ "${case_}")
  list(GET case_ 0 name)
  list(GET case_ 1 last)
  list(GET case_ 2 reason)
  file(WRITE ${WORK}/${name}.csv "${body}${last},70,70,60\n")
  check(tune_${name} 3 "^$" "${reason}" tune ${name}.csv --loop 1 --rule amigo --english)
endforeach()
foreach(tc 4.9e-324 1e300 nan)
  check(tune_tc_${tc} 2 "^$" "--tc must be a number of seconds from 0.1 to 1000000" tune fic.csv --loop 1 --tc ${tc})
endforeach()
file(MAKE_DIRECTORY ${WORK}/folder.csv)
check(tune_folder 3 "^$" "folder.csv.: it is a folder" tune folder.csv --loop 1 --english)
# A PV that barely moves after a full MV step: gains no controller can use
# are still listed, flagged on stderr and in the JSON. An MV far beyond any
# output is refused.
file(WRITE ${WORK}/flat_ramp.csv "t,MV,PV\n")
file(WRITE ${WORK}/huge_mv.csv "t,MV,PV\n")
foreach(i RANGE 0 199)
  math(EXPR pv "50000 + ${i} - 50")
  if(i LESS 50)
    file(APPEND ${WORK}/flat_ramp.csv "${i}.0,0,50\n")
    file(APPEND ${WORK}/huge_mv.csv "${i}.0,40,50\n")
  else()
    file(APPEND ${WORK}/flat_ramp.csv "${i}.0,100,${pv}e-3\n")
    file(APPEND ${WORK}/huge_mv.csv "${i}.0,1e300,${pv}e-3\n")
  endif()
endforeach()
check(tune_gain_flagged 0 "^{" "simc PI: Kc lies outside 0.0001 to 10000" tune flat_ramp.csv --loop 1 --format json
      --english)
string(JSON warning_text GET "${output}" settings 0 warning)
if(NOT warning_text MATCHES "lies outside 0.0001 to 10000")
  message(FATAL_ERROR "tune_gain_flagged: ${output}")
endif()
check(tune_huge_mv 3 "^$" "line 52: the value 1e\\+300 lies beyond ±1000000 %" tune huge_mv.csv --loop 1 --english)
# A CSV saved by a spreadsheet starts with a byte-order mark.
string(ASCII 239 187 191 bom)
file(WRITE ${WORK}/bom.csv "${bom}${fic}")
check(tune_bom 0 "fopdt" "^$" tune bom.csv --loop 1 --rule simc)
