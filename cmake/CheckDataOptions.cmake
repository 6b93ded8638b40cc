# cmake -DSOURCE=<source> -DWORK=<folder> -DGENERATOR=<generator>
#       -DCOMPILER=<c++ compiler> -DUNIHAN_VARIANTS=<Unihan_Variants.txt>
#       -DUNIHAN_READINGS=<Unihan_Readings.txt> -P CheckDataOptions.cmake
# The test of how configure takes the idiom data set: given none (and no way
# to download it), configure must stop and say how to give one, naming both
# VURA_IDIOM_DATA and VURA_SAMPLE_DATA; asked for the sample, it must go on,
# and record the sample in host-tools.cmake as the data set a cross build
# takes. Each configure runs in a fresh folder under WORK.

function(configure folder result output)
    file(REMOVE_RECURSE "${WORK}/${folder}")
    execute_process(
        COMMAND "${CMAKE_COMMAND}" -S "${SOURCE}" -B "${WORK}/${folder}" -G "${GENERATOR}"
            -DCMAKE_CXX_COMPILER=${COMPILER} -DBUILD_TESTING=OFF
            -DVURA_UNIHAN_VARIANTS=${UNIHAN_VARIANTS} -DVURA_UNIHAN_READINGS=${UNIHAN_READINGS}
            -DVURA_IDIOM_DATA_URL=file://${WORK}/no-such-file.txt ${ARGN}
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    set(${result} "${status}" PARENT_SCOPE)
    set(${output} "${out}${err}" PARENT_SCOPE)
endfunction()

configure(none status output)
if(status EQUAL 0)
    message(FATAL_ERROR "Configure without a data set went on:\n${output}")
endif()
foreach(advice IN ITEMS "-DVURA_IDIOM_DATA=" "-DVURA_SAMPLE_DATA=ON")
    string(FIND "${output}" "${advice}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "Configure without a data set does not mention ${advice}:\n${output}")
    endif()
endforeach()

configure(sample status output -DVURA_SAMPLE_DATA=ON)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "Configure with VURA_SAMPLE_DATA=ON failed:\n${output}")
endif()
file(STRINGS "${WORK}/sample/host-tools.cmake" recorded REGEX "VURA_HOST_IDIOM_CSV")
if(NOT recorded MATCHES "resources/sample-idioms.csv")
    message(FATAL_ERROR "host-tools.cmake does not name the sample as the data set: ${recorded}")
endif()
file(REMOVE_RECURSE "${WORK}")
