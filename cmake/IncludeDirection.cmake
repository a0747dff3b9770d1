# cmake -D SOURCE_DIR=... -P IncludeDirection.cmake
# Fails when a folder includes one that sits above it: ui/main uses ui/dialogs and ui/overview, which
# use neither ui/main nor each other; platform/ uses no window; the command-line tool and the core
# (model/, files/) include nothing of ui/ or platform/.
set(rules
  "ui/dialogs|ui/main/|ui/overview/"
  "ui/overview|ui/main/|ui/dialogs/"
  "platform|ui/"
  "cli|ui/|platform/"
  "model|ui/|platform/|files/"
  "files|ui/|platform/")
set(wrong "")
foreach(rule IN LISTS rules)
  string(REPLACE "|" ";" parts "${rule}")
  list(GET parts 0 folder)
  list(SUBLIST parts 1 -1 forbidden)
  file(GLOB_RECURSE sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "^#include \"")
    foreach(line IN LISTS includes)
      foreach(above IN LISTS forbidden)
        if(line MATCHES "^#include \"${above}")
          file(RELATIVE_PATH shown "${SOURCE_DIR}" "${source}")
          string(APPEND wrong "\n  ${shown}: ${line}")
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()
if(wrong)
  message(FATAL_ERROR "Includes against the direction of the layers:${wrong}")
endif()
