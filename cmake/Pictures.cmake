# kw24_render_picture(<list variable> <svg> <picture name> <WIDTHxHEIGHT>)
# Draws the SVG drawing (relative to the current source folder) into the plain picture
# pictures/<picture name> in the current build folder at build time, and appends that file to the list
# variable. The program then carries ready-drawn pictures and needs no SVG library when it runs.
function(kw24_render_picture list svg name size)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/pictures/${name})
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/pictures
    COMMAND kw24_render_picture ${CMAKE_CURRENT_SOURCE_DIR}/${svg} ${output} ${size}
    DEPENDS kw24_render_picture ${CMAKE_CURRENT_SOURCE_DIR}/${svg}
    VERBATIM)
  set(${list} ${${list}} ${output} PARENT_SCOPE)
endfunction()
