# The help page ships beside the program, in help/index.html: a build tree is a portable program
# folder. Like the web page template, it is copied by a rule of its own, renewed whenever the page
# changes.
function(agendrix_ship_help_page target)
    set(source "${PROJECT_SOURCE_DIR}/resources/help/index.html")
    set(copy "${CMAKE_CURRENT_BINARY_DIR}/help/index.html")
    add_custom_command(OUTPUT "${copy}"
        COMMAND ${CMAKE_COMMAND} -E copy "${source}" "${copy}"
        DEPENDS "${source}"
        VERBATIM)
    add_custom_target(${target}_help_page DEPENDS "${copy}")
    add_dependencies(${target} ${target}_help_page)
endfunction()
