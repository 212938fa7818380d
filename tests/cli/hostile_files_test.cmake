# Every command that reads a user's file, fed what is not a file it can read:
# each must end at once with exit code 3 and a message naming the file, never
# block on a FIFO, read an endless device or swallow a huge file. The time
# bound is generous; a command that reads such a file at all takes far longer
# (or for ever).
include(${CMAKE_CURRENT_LIST_DIR}/../check_cli.cmake)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/folder.smp)
execute_process(COMMAND mkfifo ${WORK}/fifo.smp ${WORK}/fifo.txd ${WORK}/fifo.csv RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "mkfifo failed")
endif()
execute_process(COMMAND truncate -s 1G ${WORK}/huge.smp ${WORK}/huge.txd ${WORK}/huge.csv)
file(CREATE_LINK /dev/zero ${WORK}/zero.smp SYMBOLIC)
file(CREATE_LINK /dev/zero ${WORK}/zero.txd SYMBOLIC)
file(CREATE_LINK /dev/zero ${WORK}/zero.csv SYMBOLIC)
set(P ${PROJECT})

# name=what stderr must say about it.
set(files
  "fifo=not a regular file"
  "zero=not a regular file"
  "huge=(too large|exceeds)"
  "missing=No such file or directory")

function(hostile name why)
  # The command lines, "|" between arguments, @ for the hostile file.
  set(commands
    "check|@.smp|--english"
    "resave|@.smp|out.smp|--english"
    "run|@.smp|--english"
    "simulate|@.smp|--duration|1|--print|M01|--english"
    "bumptest|@.smp|--loop|1|--step|10|--duration|10|--english"
    "indices|@.txd|--project|${P}|--english"
    "tune|@.csv|--loop|1|--english"
    "tune|@.txd|--loop|1|--pv|M21|--english"
    "serve|@.smp|--modbus|127.0.0.1:0|--duration|1|--english")
  foreach(c IN LISTS commands)
    string(REPLACE "@" "${name}" args "${c}")
    string(REPLACE "|" ";" args "${args}")
    string(TIMESTAMP t0 "%s")
    execute_process(COMMAND ${BATCH} ${args} WORKING_DIRECTORY ${WORK} TIMEOUT 10
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    string(TIMESTAMP t1 "%s")
    math(EXPR dt "${t1} - ${t0}")
    if(NOT rc EQUAL 3 OR NOT err MATCHES "${name}[^\n]*${why}" OR dt GREATER 5)
      message(FATAL_ERROR "${args}: exit ${rc} after ${dt} s, stderr '${err}' (expected 3 and '${why}')")
    endif()
  endforeach()
endfunction()

foreach(f IN LISTS files)
  string(REPLACE "=" ";" f "${f}")
  list(GET f 0 name)
  list(GET f 1 why)
  hostile(${name} "${why}")
endforeach()
# A folder named like a project.
check(folder 3 "^$" "folder.smp.*it is a folder" check folder.smp --english)
