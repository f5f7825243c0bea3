# One interface target that carries the warning flags and the sanitizer switches; every target
# of the project links it so that the whole tree is built the same way.
add_library(agendrix_warnings INTERFACE)
target_compile_options(agendrix_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual)
if(AGENDRIX_WERROR)
    target_compile_options(agendrix_warnings INTERFACE -Werror)
endif()
# When optimising, GCC 12 reports overlaps inside libstdc++'s own string code (-Wrestrict, GCC bug
# 105329, mended in 13) and "uninitialised" members of engaged std::optional values
# (-Wmaybe-uninitialized): the optimised build would fail on correct code. The Debug build, which
# `scripts/test` builds with -Werror, keeps every warning that GCC gives there.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(agendrix_warnings INTERFACE
        $<$<NOT:$<CONFIG:Debug>>:-Wno-restrict -Wno-maybe-uninitialized>)
endif()
if(AGENDRIX_SANITIZE)
    target_compile_options(agendrix_warnings INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(agendrix_warnings INTERFACE -fsanitize=address,undefined)
endif()
