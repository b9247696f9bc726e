# Runs c4.5.exe in a fixture folder with a fixed banner date and compares its
# whole output and exit status with the committed expectation.
#   -DEXE=... -DDIR=... -DARGS="-u;-f;bla" -DEXPECTED=file -DSTATUS=0
# With -DSINK=/dev/full standard output goes there and standard error is
# compared instead.
if(DEFINED SINK)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=1736157600 ${EXE} ${ARGS}
        WORKING_DIRECTORY ${DIR}
        OUTPUT_FILE ${SINK}
        ERROR_VARIABLE actual
        RESULT_VARIABLE status)
else()
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=1736157600 ${EXE} ${ARGS}
        WORKING_DIRECTORY ${DIR}
        OUTPUT_VARIABLE actual
        RESULT_VARIABLE status)
endif()
file(READ ${EXPECTED} expected)
if(NOT status STREQUAL STATUS)
    message(FATAL_ERROR "exit status ${status}, expected ${STATUS}\n${actual}")
endif()
if(NOT actual STREQUAL expected)
    get_filename_component(name ${EXPECTED} NAME)
    set(saved ${CMAKE_CURRENT_BINARY_DIR}/${name}.actual)
    file(WRITE ${saved} "${actual}")
    execute_process(COMMAND diff -u ${EXPECTED} ${saved})
    message(FATAL_ERROR "output differs from ${EXPECTED}; actual output in ${saved}")
endif()
