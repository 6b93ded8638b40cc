# Finds the idiom data set the build imports and embeds:
#  1. -DVURA_IDIOM_DATA=<csv>, when given;
#  2. in a cross build, the data set of the native build it takes its tools
#     from (host-tools.cmake, cmake/HostTools.cmake), so that vura.exe holds
#     the same idioms as the native vura;
#  3. with -DVURA_SAMPLE_DATA=ON, the small sample in resources/;
#  4. otherwise the pinned upstream file, downloaded once and checked.
# When none of them gives a data set, configure stops and says how to give
# one: a dictionary that silently holds only the sample is worse than none.
# Sets VURA_IDIOM_CSV (the file to import) and VURA_FULL_DATA (ON when it is
# the pinned data set of 12,976 idioms).

set(VURA_IDIOM_DATA "" CACHE FILEPATH "The idiom data set (chinese-idioms-12976.txt) to build from")
option(VURA_SAMPLE_DATA "Without VURA_IDIOM_DATA, build with the sample of a few dozen idioms" OFF)

set(VURA_IDIOM_DATA_URL
    "https://raw.githubusercontent.com/by-syk/chinese-idiom-db/6689999d9f0baa759d02d17b1e601c240a9a89ac/chinese-idioms-12976.txt"
    CACHE STRING "Where the pinned idiom data set is downloaded from (a mirror's file is checked all the same)")
set(_vura_data_url "${VURA_IDIOM_DATA_URL}")
set(_vura_data_sha256 "6bd82748f086e795acc9fb2d2a658e317c6e8f3e6404db37a9e1392c703a07af")
set(_vura_sample "${PROJECT_SOURCE_DIR}/resources/sample-idioms.csv")

set(VURA_FULL_DATA OFF)
if(VURA_IDIOM_DATA)
    get_filename_component(VURA_IDIOM_CSV "${VURA_IDIOM_DATA}" ABSOLUTE)
    if(NOT EXISTS "${VURA_IDIOM_CSV}")
        message(FATAL_ERROR "VURA_IDIOM_DATA names ${VURA_IDIOM_CSV}, which does not exist.")
    endif()
elseif(CMAKE_CROSSCOMPILING AND DEFINED VURA_HOST_IDIOM_CSV)
    set(VURA_IDIOM_CSV "${VURA_HOST_IDIOM_CSV}")
    if(NOT EXISTS "${VURA_IDIOM_CSV}")
        message(FATAL_ERROR "The native build in ${VURA_HOST_TOOLS} was made from ${VURA_IDIOM_CSV}, "
            "which no longer exists: configure that build again, or give -DVURA_IDIOM_DATA=/path/to/it.")
    endif()
elseif(VURA_SAMPLE_DATA)
    set(VURA_IDIOM_CSV "${_vura_sample}")
else()
    set(_download "${CMAKE_BINARY_DIR}/chinese-idioms-12976.txt")
    if(NOT EXISTS "${_download}")
        message(STATUS "Downloading the idiom data set")
        # Apart, so that a failed download (no network, or a file with another
        # hash than the pinned one) leaves no partial file behind and this
        # configure can say what to do instead.
        execute_process(COMMAND "${CMAKE_COMMAND}" -DURL=${_vura_data_url} -DSHA256=${_vura_data_sha256}
                                -DFILE=${_download} -P "${CMAKE_CURRENT_LIST_DIR}/DownloadPinned.cmake"
                        RESULT_VARIABLE _failed ERROR_VARIABLE _why)
        file(REMOVE "${_download}.part")
        if(_failed)
            string(REGEX REPLACE ".*CMake Error[^\n]*:\n *" "" _why "${_why}")
            string(STRIP "${_why}" _why)
            message(FATAL_ERROR
                "No idiom data set: none was given, and the pinned one could not be downloaded from\n"
                "  ${_vura_data_url}\n"
                "(${_why}).\n"
                "Give a local copy of chinese-idioms-12976.txt:\n"
                "  cmake -DVURA_IDIOM_DATA=/path/to/chinese-idioms-12976.txt ...\n"
                "  VURA_IDIOM_DATA=/path/to/chinese-idioms-12976.txt ./build.sh ...\n"
                "or build a dictionary of only the sample of a few dozen idioms with -DVURA_SAMPLE_DATA=ON "
                "(VURA_SAMPLE_DATA=1 for build.sh).")
        endif()
    endif()
    set(VURA_IDIOM_CSV "${_download}")
endif()

file(SHA256 "${VURA_IDIOM_CSV}" _sum)
if(_sum STREQUAL _vura_data_sha256)
    set(VURA_FULL_DATA ON)
elseif(VURA_IDIOM_CSV STREQUAL _vura_sample)
    message(WARNING "This build holds only the sample of a few dozen idioms (VURA_SAMPLE_DATA).")
else()
    message(WARNING "${VURA_IDIOM_CSV} is not the pinned idiom data set; the checks of the full data set are skipped.")
endif()
message(STATUS "Idiom data set: ${VURA_IDIOM_CSV} (full: ${VURA_FULL_DATA})")
