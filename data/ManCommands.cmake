# Writes a help2man include file with a COMMANDS section: every command that
# "kivo-batch --help" lists, with its own --help text, so the man page says
# what the program says.
#   cmake -DBATCH=path/to/kivo-batch -DOUT=commands.h2m -P ManCommands.cmake
execute_process(COMMAND ${BATCH} --help OUTPUT_VARIABLE help RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${BATCH} --help failed")
endif()
string(REGEX MATCH "Commands:\n(.*)\n\nOptions:" _ "${help}")
string(REPLACE "\n" ";" lines "${CMAKE_MATCH_1}")
set(text "[COMMANDS]\n")
foreach(line IN LISTS lines)
  string(STRIP "${line}" line)
  string(REGEX MATCH "^[a-z]+" command "${line}")
  execute_process(COMMAND ${BATCH} ${command} --help OUTPUT_VARIABLE usage)
  # roff: a backslash is written \e; a line that starts with a dot or a
  # quote would be a request.
  string(REPLACE "\\" "\\e" usage "${usage}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" usage "${usage}")
  string(APPEND text ".SS ${command}\n.nf\n${usage}.fi\n")
endforeach()
file(WRITE ${OUT} "${text}")
