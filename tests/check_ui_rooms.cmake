# The rooms of the windows, from the bottom up. A folder includes only its
# own headers and those of the folders below it; src/help includes nothing of
# src/ui. Fails naming every include that reaches up.
#   context   the application context: project, cycle timer, language, questions
#   i18n      the texts of both languages
#   widgets   small widgets and the base of the object forms
#   shell     the diagram, the window registry, the widget panel and the
#             narrow interface through which windows reach the main window
#   fastsim, tuning, objects, recorders, project, exercises   the windows
#   main      the main window and the project's life cycle
#   app       start-up
set(rooms context i18n widgets shell fastsim tuning objects recorders project exercises main app)
set(bad "")
file(GLOB_RECURSE help_files "${SRC}/help/*.h" "${SRC}/help/*.cpp")
foreach(f ${help_files})
  file(STRINGS "${f}" lines REGEX "#include *\"ui/")
  if(lines)
    list(APPEND bad "${f}: ${lines}")
  endif()
endforeach()
file(GLOB ui_dirs LIST_DIRECTORIES true "${SRC}/ui/*")
foreach(d ${ui_dirs})
  if(IS_DIRECTORY "${d}")
    get_filename_component(name "${d}" NAME)
    list(FIND rooms "${name}" level)
    if(level EQUAL -1)
      list(APPEND bad "${d}: a folder of src/ui outside the room order")
      continue()
    endif()
    file(GLOB_RECURSE files "${d}/*.h" "${d}/*.cpp")
    foreach(f ${files})
      file(STRINGS "${f}" lines REGEX "#include *\"ui/[a-z0-9]+/")
      foreach(line ${lines})
        string(REGEX REPLACE ".*#include *\"ui/([a-z0-9]+)/.*" "\\1" target "${line}")
        list(FIND rooms "${target}" target_level)
        if(target_level GREATER level OR target_level EQUAL -1)
          list(APPEND bad "${f}: ${line}")
        endif()
      endforeach()
    endforeach()
  endif()
endforeach()
if(bad)
  string(REPLACE ";" "\n" bad "${bad}")
  message(FATAL_ERROR "Includes that reach up the rooms of src/ui (${rooms}):\n${bad}")
endif()
