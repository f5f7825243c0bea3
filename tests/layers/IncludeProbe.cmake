# Compiles a file that holds one line, #include "HEADER", with the include roots a library's own
# sources are compiled with, and checks what a source of that library sees:
#
#   cmake -DCXX=... -DSTANDARD=-std=c++20 -DROOTS=a|b|... -DHEADER=geometry/SurfaceLayout.h
#         -DEXPECT=found|hidden -DWORK_DIR=... -P IncludeProbe.cmake
#
# "found": the header and everything it includes compile. "hidden": the compiler stops because
# it finds no such header; any other error fails the check too, so that a broken header is never
# taken for a hidden one.
foreach(variable CXX STANDARD ROOTS HEADER EXPECT WORK_DIR)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "IncludeProbe.cmake: ${variable} is not set")
    endif()
endforeach()

string(REPLACE "|" ";" roots "${ROOTS}")
list(REMOVE_DUPLICATES roots)
set(flags)
foreach(root IN LISTS roots)
    list(APPEND flags "-I${root}")
endforeach()

file(MAKE_DIRECTORY "${WORK_DIR}")
set(probe "${WORK_DIR}/probe.cpp")
file(WRITE "${probe}" "#include \"${HEADER}\"\n")
# Qt's headers refuse code built without -fPIC; -fsyntax-only stops short of writing anything.
execute_process(COMMAND "${CXX}" ${STANDARD} -fPIC -fsyntax-only ${flags} "${probe}"
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)

string(REPLACE "." "\\." header_pattern "${HEADER}")
# GCC: "fatal error: skin/SkinFolder.h: No such file or directory"; clang: "'skin/SkinFolder.h' file not found".
set(missing "(${header_pattern}: No such file or directory|'${header_pattern}' file not found)")

if(EXPECT STREQUAL "found")
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "\"${HEADER}\" does not compile with the include roots\n  ${ROOTS}\n${output}")
    endif()
elseif(EXPECT STREQUAL "hidden")
    if(result EQUAL 0)
        message(FATAL_ERROR "\"${HEADER}\" is visible through the include roots\n  ${ROOTS}\n"
            "but the library they belong to must not depend on its folder.")
    endif()
    if(NOT output MATCHES "${missing}")
        message(FATAL_ERROR "\"${HEADER}\" failed to compile for another reason than being out of sight:\n${output}")
    endif()
else()
    message(FATAL_ERROR "IncludeProbe.cmake: EXPECT must be found or hidden, not \"${EXPECT}\"")
endif()
