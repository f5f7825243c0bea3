# The help page ships beside the program as help/index.html, where the options dialog's Help
# finds it in a build tree.
function(agendrix_ship_help_page target)
    agendrix_ship_resource(${target} "${PROJECT_SOURCE_DIR}/resources/help/index.html" "help/index.html"
        help_page)
endfunction()
