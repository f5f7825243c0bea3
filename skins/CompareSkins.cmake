# Runs the skin generator for every skin into a fresh folder and fails unless each file it writes
# equals the one kept in the source tree, and no file is missing or left over on either side.
#
#   cmake -DGENERATOR=... -DSKINS_DIR=... -DWORK_DIR=... -DSKIN_NAMES=Default;Midnight -P CompareSkins.cmake

cmake_minimum_required(VERSION 3.25)

foreach(var GENERATOR SKINS_DIR WORK_DIR SKIN_NAMES)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "CompareSkins.cmake needs -D${var}=...")
    endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

foreach(skin IN LISTS SKIN_NAMES)
    set(fresh "${WORK_DIR}/${skin}")
    set(kept "${SKINS_DIR}/${skin}")
    execute_process(COMMAND "${GENERATOR}" "${fresh}" "${skin}" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "the generator failed for skin ${skin} (${status})")
    endif()

    file(GLOB fresh_files RELATIVE "${fresh}" "${fresh}/*")
    file(GLOB kept_files RELATIVE "${kept}" "${kept}/*")
    list(SORT fresh_files)
    list(SORT kept_files)
    foreach(name IN LISTS fresh_files)
        if(NOT name IN_LIST kept_files)
            message(FATAL_ERROR "${skin}/${name} is drawn by the generator but missing from ${kept}")
        endif()
    endforeach()
    foreach(name IN LISTS kept_files)
        if(NOT name IN_LIST fresh_files)
            message(FATAL_ERROR "${skin}/${name} is in ${kept} but the generator does not draw it")
        endif()
    endforeach()
    foreach(name IN LISTS fresh_files)
        execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${fresh}/${name}" "${kept}/${name}"
            RESULT_VARIABLE differs)
        if(NOT differs EQUAL 0)
            message(FATAL_ERROR "${skin}/${name} differs from the generator's output "
                "(build the regenerate_skins target to rewrite the kept skins)")
        endif()
    endforeach()
    list(LENGTH fresh_files count)
    message(STATUS "${skin}: ${count} files match")
endforeach()
