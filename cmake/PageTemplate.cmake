# The web page template ships beside the programs: a build tree is a portable program folder.
# The copy is a build rule of its own, renewed whenever the template changes, not only when the
# program is linked again.
function(agendrix_ship_page_template target)
    set(source "${PROJECT_SOURCE_DIR}/resources/HTML Format.htm")
    set(copy "${CMAKE_CURRENT_BINARY_DIR}/HTML Format.htm")
    add_custom_command(OUTPUT "${copy}"
        COMMAND ${CMAKE_COMMAND} -E copy "${source}" "${copy}"
        DEPENDS "${source}"
        VERBATIM)
    add_custom_target(${target}_page_template DEPENDS "${copy}")
    add_dependencies(${target} ${target}_page_template)
endfunction()
