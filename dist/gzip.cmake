# Packs one file as Debian wants its documents: gzip -9, with neither the file's name nor a time
# stamp in the header, so that the same input always gives the same bytes.
#
#   cmake -DINPUT=file -DOUTPUT=file.gz [-DGZIP=/usr/bin/gzip] -P gzip.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT INPUT OR NOT OUTPUT)
    message(FATAL_ERROR "gzip.cmake: INPUT and OUTPUT must be set")
endif()
# Checked here: a missing input is not an error to every version of execute_process (CMake 3.31
# runs gzip on an empty input and packs nothing).
if(NOT EXISTS "${INPUT}" OR IS_DIRECTORY "${INPUT}")
    message(FATAL_ERROR "gzip.cmake: there is no file ${INPUT}")
endif()
if(NOT GZIP)
    find_program(GZIP gzip REQUIRED)
endif()
get_filename_component(output_dir "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${output_dir}")
execute_process(COMMAND "${GZIP}" -9 --no-name --stdout
                INPUT_FILE "${INPUT}" OUTPUT_FILE "${OUTPUT}.tmp" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    file(REMOVE "${OUTPUT}.tmp")
    message(FATAL_ERROR "gzip.cmake: ${GZIP} could not pack ${INPUT} (${result})")
endif()
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
