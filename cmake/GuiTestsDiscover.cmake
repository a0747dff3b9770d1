# Run after a GUI test program is built (see GuiTests.cmake): writes OUTPUT, the ctest entries of
# PROGRAM's test functions.
execute_process(COMMAND ${PROGRAM} --list OUTPUT_VARIABLE functions RESULT_VARIABLE result
                ENCODING UTF-8)
if(NOT result EQUAL 0 OR functions STREQUAL "")
  message(FATAL_ERROR "${PROGRAM} --list gave no test functions (${result})")
endif()
string(REPLACE "\n" ";" functions "${functions}")

set(entries "")
function(add_entry name function fonts)
  string(APPEND entries "add_test([=[${name}]=] [=[${PROGRAM}]=] [=[${function}]=])\n"
         "set_tests_properties([=[${name}]=] PROPERTIES TIMEOUT ${TIMEOUT} ENVIRONMENT "
         "[=[QT_QPA_PLATFORM=offscreen;FONTCONFIG_FILE=${fonts}]=])\n")
  set(entries "${entries}" PARENT_SCOPE)
endfunction()
foreach(function IN LISTS functions)
  if(function STREQUAL "")
    continue()
  endif()
  add_entry("${TARGET}.${function}" "${function}" "${DESIGNED_FONTS}")
  if(function MATCHES "::[^:]*Fit")
    add_entry("${TARGET}.${function}.dejavu" "${function}" "${FALLBACK_FONTS}")
  endif()
endforeach()
file(WRITE ${OUTPUT} "${entries}")
