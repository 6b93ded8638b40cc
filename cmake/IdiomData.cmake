# Finds the idiom data set the build imports and embeds:
#  1. -DVURA_IDIOM_DATA=<csv>, when given;
#  2. otherwise the pinned upstream file, downloaded once and checked;
#  3. otherwise the small sample in resources/, with a warning.
# Sets VURA_IDIOM_CSV (the file to import) and VURA_FULL_DATA (ON when it is
# the pinned data set of 12,976 idioms).

set(VURA_IDIOM_DATA "" CACHE FILEPATH "The idiom data set (chinese-idioms-12976.txt) to build from")

set(_vura_data_url "https://raw.githubusercontent.com/by-syk/chinese-idiom-db/6689999d9f0baa759d02d17b1e601c240a9a89ac/chinese-idioms-12976.txt")
set(_vura_data_sha256 "6bd82748f086e795acc9fb2d2a658e317c6e8f3e6404db37a9e1392c703a07af")
set(_vura_sample "${PROJECT_SOURCE_DIR}/resources/sample-idioms.csv")

set(VURA_FULL_DATA OFF)
if(VURA_IDIOM_DATA)
    get_filename_component(VURA_IDIOM_CSV "${VURA_IDIOM_DATA}" ABSOLUTE)
    if(NOT EXISTS "${VURA_IDIOM_CSV}")
        message(FATAL_ERROR "VURA_IDIOM_DATA names ${VURA_IDIOM_CSV}, which does not exist.")
    endif()
else()
    set(_download "${CMAKE_BINARY_DIR}/chinese-idioms-12976.txt")
    if(NOT EXISTS "${_download}")
        message(STATUS "Downloading the idiom data set")
        # Apart, so that a failed download (no network, or a file with another
        # hash than the pinned one) leaves this configure to go on with the sample.
        execute_process(COMMAND "${CMAKE_COMMAND}" -DURL=${_vura_data_url} -DSHA256=${_vura_data_sha256}
                                -DFILE=${_download} -P "${CMAKE_CURRENT_LIST_DIR}/DownloadIdiomData.cmake"
                        RESULT_VARIABLE _failed ERROR_VARIABLE _why)
        file(REMOVE "${_download}.part")
        if(_failed)
            message(WARNING "The idiom data set was not downloaded:\n${_why}")
        endif()
    endif()
    if(EXISTS "${_download}")
        set(VURA_IDIOM_CSV "${_download}")
    else()
        set(VURA_IDIOM_CSV "${_vura_sample}")
        message(WARNING
            "\n*** The idiom data set could not be downloaded. ***\n"
            "*** This build embeds only the SAMPLE of a few dozen idioms. ***\n"
            "Give a local copy with -DVURA_IDIOM_DATA=/path/to/chinese-idioms-12976.txt for the full dictionary.\n")
    endif()
endif()

file(SHA256 "${VURA_IDIOM_CSV}" _sum)
if(_sum STREQUAL _vura_data_sha256)
    set(VURA_FULL_DATA ON)
elseif(NOT VURA_IDIOM_CSV STREQUAL _vura_sample)
    message(WARNING "${VURA_IDIOM_CSV} is not the pinned idiom data set; the checks of the full data set are skipped.")
endif()
message(STATUS "Idiom data set: ${VURA_IDIOM_CSV} (full: ${VURA_FULL_DATA})")
