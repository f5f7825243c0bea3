# Replays a fuzz target over its corpus: every file is run once (-runs=0 does no fuzzing).
#   cmake -DFUZZER=path -DCORPUS=dir [-DSAMPLES=dir;dir] -P ReplayCorpus.cmake
# SAMPLES are folders of sample files that are replayed too when they exist at this moment.

if(NOT FUZZER OR NOT CORPUS)
    message(FATAL_ERROR "ReplayCorpus.cmake: FUZZER and CORPUS must be given")
endif()
if(NOT IS_DIRECTORY "${CORPUS}")
    message(FATAL_ERROR "ReplayCorpus.cmake: no corpus folder ${CORPUS}")
endif()

set(folders "${CORPUS}")
foreach(folder IN LISTS SAMPLES)
    if(IS_DIRECTORY "${folder}")
        list(APPEND folders "${folder}")
    endif()
endforeach()

message(STATUS "Replaying ${folders}")
execute_process(
    COMMAND "${FUZZER}" -runs=0 -timeout=60 -rss_limit_mb=4096 ${folders}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${FUZZER} failed on its corpus (exit status ${result})")
endif()
