# Finds THUOCL's list of idioms with the number of news documents that used
# each (THUOCL_chengyu.txt, MIT), from which the importer writes how common
# each idiom is:
#  1. -DVURA_THUOCL_DATA=<file>, when given;
#  2. in a cross build, the list of the native build it takes its tools from
#     (host-tools.cmake), so that vura.exe knows the same common idioms;
#  3. ../shared/data/thuocl/THUOCL_chengyu.txt beside the source folder;
#  4. otherwise the pinned upstream file, downloaded once and checked.
# Without any of them the build goes on with an empty list of common idioms,
# and says so: 每日一成语, an empty 复习 and the game's easy level then draw
# from the whole dictionary.
# Sets VURA_THUOCL_FILE (the file to import; empty without one).

set(VURA_THUOCL_DATA "" CACHE FILEPATH "THUOCL's idiom counts (THUOCL_chengyu.txt): how common each idiom is")
set(VURA_THUOCL_DATA_URL
    "https://raw.githubusercontent.com/thunlp/THUOCL/a30ce79d895d01ab5132a5c74c29703ff7efb4cc/data/THUOCL_chengyu.txt"
    CACHE STRING "Where the pinned THUOCL idiom list is downloaded from (a mirror's file is checked all the same)")
set(_vura_thuocl_sha256 "c339d5d6e37d4f8ecdcb82f2a02b7fdfc66796f0a5215155f2aff8a77e89a7eb")
set(_vura_thuocl_beside "${PROJECT_SOURCE_DIR}/../shared/data/thuocl/THUOCL_chengyu.txt")

set(VURA_THUOCL_FILE "")
if(VURA_THUOCL_DATA)
    get_filename_component(VURA_THUOCL_FILE "${VURA_THUOCL_DATA}" ABSOLUTE)
    if(NOT EXISTS "${VURA_THUOCL_FILE}")
        message(FATAL_ERROR "VURA_THUOCL_DATA names ${VURA_THUOCL_FILE}, which does not exist.")
    endif()
elseif(CMAKE_CROSSCOMPILING AND DEFINED VURA_HOST_THUOCL_FILE)
    set(VURA_THUOCL_FILE "${VURA_HOST_THUOCL_FILE}")
    if(VURA_THUOCL_FILE AND NOT EXISTS "${VURA_THUOCL_FILE}")
        message(FATAL_ERROR "The native build in ${VURA_HOST_TOOLS} took THUOCL's list from ${VURA_THUOCL_FILE}, "
            "which no longer exists: configure that build again, or give -DVURA_THUOCL_DATA=/path/to/it.")
    endif()
elseif(EXISTS "${_vura_thuocl_beside}")
    get_filename_component(VURA_THUOCL_FILE "${_vura_thuocl_beside}" ABSOLUTE)
else()
    set(_download "${CMAKE_BINARY_DIR}/THUOCL_chengyu.txt")
    if(NOT EXISTS "${_download}")
        message(STATUS "Downloading THUOCL's idiom list")
        execute_process(COMMAND "${CMAKE_COMMAND}" -DURL=${VURA_THUOCL_DATA_URL} -DSHA256=${_vura_thuocl_sha256}
                                -DFILE=${_download} -P "${CMAKE_CURRENT_LIST_DIR}/DownloadPinned.cmake"
                        RESULT_VARIABLE _failed ERROR_VARIABLE _why)
        file(REMOVE "${_download}.part")
        if(_failed)
            string(REGEX REPLACE ".*CMake Error[^\n]*:\n *" "" _why "${_why}")
            string(STRIP "${_why}" _why)
            message(STATUS "THUOCL's idiom list could not be downloaded (${_why})")
        endif()
    endif()
    if(EXISTS "${_download}")
        set(VURA_THUOCL_FILE "${_download}")
    endif()
endif()

if(VURA_THUOCL_FILE)
    file(SHA256 "${VURA_THUOCL_FILE}" _sum)
    if(NOT _sum STREQUAL _vura_thuocl_sha256)
        message(WARNING "${VURA_THUOCL_FILE} is not the pinned THUOCL idiom list; it is imported all the same.")
    endif()
    message(STATUS "Common idioms: THUOCL's counts in ${VURA_THUOCL_FILE}")
else()
    message(WARNING "No THUOCL idiom list: the list of common idioms is empty, and 每日一成语, an empty 复习 and "
        "the game's easy level draw from the whole dictionary. Give one with "
        "-DVURA_THUOCL_DATA=/path/to/THUOCL_chengyu.txt.")
endif()
