# Run by the build (CMakeLists.txt): writes the data file vura 1.0 carried,
# which the importer writes again from the same data set with --as-1.0, and a
# header with its size and digest for the store. A start of the program
# takes a cy.dat of these bytes for one that 1.0 wrote and nobody changed,
# and replaces it with the data it carries.
#   cmake -DIMPORT=<vura-import> -DCSV=<data set> -DFILE=<.dat> -DHEADER=<.h> -P Version10Data.cmake
execute_process(COMMAND "${IMPORT}" --as-1.0 "${CSV}" "${FILE}" OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "vura-import --as-1.0 failed (${failed})")
endif()
execute_process(COMMAND "${IMPORT}" --digest "${FILE}"
                OUTPUT_VARIABLE digest OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
if(failed OR NOT digest MATCHES "^[0-9a-f]+$")
    message(FATAL_ERROR "vura-import --digest failed (${failed})")
endif()
file(SIZE "${FILE}" size)
file(CONFIGURE OUTPUT "${HEADER}" CONTENT [[
// Written by the build (cmake/Version10Data.cmake): the data file that vura
// 1.0 carried and wrote out as cy.dat, by its size and its digest.
#pragma once

namespace Version10Data {
inline constexpr long long kSize = @size@;
inline constexpr char kDigest[] = "@digest@";
} // namespace Version10Data
]] @ONLY)
