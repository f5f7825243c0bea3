# Include roots narrow enough that a library cannot include a folder it does not depend on.
#
# A library of src/ shows the headers it lists among its sources, and only those, under the name
# of its folder: build/include/<library>/<folder>/<header> is a symbolic link to
# src/<folder>/<header>, and build/include/<library> is the library's PUBLIC include root. A
# source therefore sees, as "folder/Header.h", its own library's headers and those of the
# libraries it links, down the chain of target_link_libraries; an include of anything else is
# not found. Two libraries may share a folder (src/skin): each shows its own headers only.
#
# Headers are linked when CMake configures; listing a new header in add_library() makes CMake
# configure again, which links it.
function(agendrix_include_root library)
    get_target_property(sources ${library} SOURCES)
    get_target_property(folder_path ${library} SOURCE_DIR)
    cmake_path(GET folder_path FILENAME folder)
    set(root "${CMAKE_BINARY_DIR}/include/${library}")
    # Links of headers the library no longer lists must not linger.
    file(REMOVE_RECURSE "${root}")
    file(MAKE_DIRECTORY "${root}/${folder}")
    foreach(source IN LISTS sources)
        if(NOT source MATCHES "\\.h$")
            continue()
        endif()
        cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY "${folder_path}" OUTPUT_VARIABLE header)
        cmake_path(GET header FILENAME name)
        file(CREATE_LINK "${header}" "${root}/${folder}/${name}" SYMBOLIC)
    endforeach()
    target_include_directories(${library} PUBLIC "$<BUILD_INTERFACE:${root}>")
endfunction()
