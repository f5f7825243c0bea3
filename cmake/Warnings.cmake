# One interface target that carries the warning flags and the sanitizer switches; every target
# of the project links it so that the whole tree is built the same way.
add_library(agendrix_warnings INTERFACE)
target_compile_options(agendrix_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual)
if(AGENDRIX_WERROR)
    target_compile_options(agendrix_warnings INTERFACE -Werror)
endif()
if(AGENDRIX_SANITIZE)
    target_compile_options(agendrix_warnings INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(agendrix_warnings INTERFACE -fsanitize=address,undefined)
endif()
