# kivo-batch grade and exercise new, driven as a teacher would: exit codes,
# the three formats, a class with an unreadable project, a new exercise that
# grades its own plant at full marks and is never written over.
include(${CMAKE_CURRENT_LIST_DIR}/../check_cli.cmake)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY "${EXAMPLES}/basic flow loop/basic flow loop.smp" DESTINATION ${WORK})
file(RENAME "${WORK}/basic flow loop.smp" ${WORK}/ana.smp)
file(WRITE ${WORK}/bruno.smp "not a project\n")
set(kex ${EXAMPLES}/exercises/flow-tuning.kex)

check(usage 2 "^$" "give an exercise file" grade ${kex})
check(jobs 2 "^$" "--jobs must be a whole number" grade ${kex} ana.smp --jobs 0)
check(format 2 "^$" "--format must be text, csv or json" grade ${kex} ana.smp --format xml)
check(no_exercise 3 "^$" "missing.kex: No such file" grade missing.kex ana.smp)
check(text 0 "ana: 2 / 5\n.*bruno: not graded: Read error" "^$" grade ${kex} ana.smp bruno.smp)
check(csv 0 "^file;student;valid;loop;measure;value;spread;limit;pass;points;total;max;answer;answer_points;message\nana.smp;ana;1;1;overshoot;" "^$"
      grade ${kex} ana.smp bruno.smp --format csv --jobs 1)
check(json 0 "^{\"exercise\": .*\"rows\": \\[\n  {\"file\": \"ana.smp\", \"student\": \"ana\", \"valid\": true, \"message\": null, .*\"total\": 2, \"max\": 5},\n  {\"file\": \"bruno.smp\", \"student\": \"bruno\", \"valid\": false, \"message\": \"Read error" "^$"
      grade ${kex} ana.smp bruno.smp --format json --jobs 2)

check(new 0 "^$" "^$" exercise new ana.smp mine.kex)
check(new_grades_its_plant 0 "ana: [0-9]+ / [0-9]+\n" "^$" grade mine.kex ana.smp)
string(REGEX MATCH "ana: ([0-9]+) / ([0-9]+)" full "${output}")
if(NOT CMAKE_MATCH_1 STREQUAL CMAKE_MATCH_2)
  message(FATAL_ERROR "new exercise: its own plant earns ${CMAKE_MATCH_1} of ${CMAKE_MATCH_2}")
endif()
check(new_keeps_a_file 3 "^$" "mine.kex already exists" exercise new ana.smp mine.kex)
check(new_bad_project 3 "^$" "Read error" exercise new bruno.smp other.kex)
