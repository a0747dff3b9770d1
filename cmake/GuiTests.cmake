# kw24_add_gui_test(TARGET SOURCES...) builds a GUI test program on the one GUI test main
# (tests/support/GuiTestMain.cpp) and registers one ctest entry per Qt Test function, named
# TARGET.Class::function, found by asking the built program for its list. Every entry runs on the
# offscreen platform with the project's own fonts (cmake/Fonts.cmake) and a timeout, so a hang fails
# fast and a failure names its test. Test functions whose name contains "Fit" compare captions with
# their controls; they run a second time, as TARGET.Class::function.dejavu, on a desktop without the
# designed face (DejaVu Sans only), where every caption must still fit whole.
set(KW24_GUI_TEST_TIMEOUT 120 CACHE STRING "Seconds one GUI test function may take")
set(kw24_gui_tests_discover ${CMAKE_CURRENT_LIST_DIR}/GuiTestsDiscover.cmake)

function(kw24_add_gui_test target)
  add_executable(${target} ${ARGN})
  target_link_libraries(${target} PRIVATE kw24_gui_test_support)
  set_target_properties(${target} PROPERTIES AUTOMOC ON)

  set(discovered ${CMAKE_CURRENT_BINARY_DIR}/${target}_tests.cmake)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -D PROGRAM=$<TARGET_FILE:${target}> -D TARGET=${target}
            -D OUTPUT=${discovered} -D TIMEOUT=${KW24_GUI_TEST_TIMEOUT}
            -D DESIGNED_FONTS=${KW24_FONTCONFIG_DESIGNED} -D FALLBACK_FONTS=${KW24_FONTCONFIG_FALLBACK}
            -P ${kw24_gui_tests_discover}
    BYPRODUCTS ${discovered}
    VERBATIM)
  # Read by ctest: the discovered entries, or one failing entry while the program is not built.
  set(stub ${CMAKE_CURRENT_BINARY_DIR}/${target}_include.cmake)
  file(WRITE ${stub} "if(EXISTS \"${discovered}\")\n  include(\"${discovered}\")\nelse()\n"
                     "  add_test(${target}_NOT_BUILT ${target}_NOT_BUILT)\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${stub})
endfunction()
