# cmake -DINPUT=file -DOUTPUT=file.gz -P GzipFile.cmake
# Compresses as Debian expects of man pages and changelogs: the best level,
# and no name or time stamp, so the same input always gives the same bytes.
find_program(GZIP gzip REQUIRED)
execute_process(COMMAND ${GZIP} -9 -n -c ${INPUT}
    OUTPUT_FILE ${OUTPUT}.part
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    file(REMOVE ${OUTPUT}.part)
    message(FATAL_ERROR "gzip could not compress ${INPUT}")
endif()
file(RENAME ${OUTPUT}.part ${OUTPUT})
