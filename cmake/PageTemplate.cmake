# A file that ships beside the programs, copied into the calling folder's build folder as `copy`
# (relative): a build tree is a portable program folder. The copy is a build rule of its own,
# renewed whenever the file changes, not only when the program is linked again.
function(agendrix_ship_resource target source copy label)
    set(output "${CMAKE_CURRENT_BINARY_DIR}/${copy}")
    add_custom_command(OUTPUT "${output}"
        COMMAND ${CMAKE_COMMAND} -E copy "${source}" "${output}"
        DEPENDS "${source}"
        VERBATIM)
    add_custom_target(${target}_${label} DEPENDS "${output}")
    add_dependencies(${target} ${target}_${label})
endfunction()

# The web page template.
function(agendrix_ship_page_template target)
    agendrix_ship_resource(${target} "${PROJECT_SOURCE_DIR}/resources/HTML Format.htm" "HTML Format.htm"
        page_template)
endfunction()
