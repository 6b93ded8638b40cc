# The tools the build runs (vura-import, which makes the data file,
# vura-icons, which draws the icon files, and vura-unihan, which writes the
# table of simplified characters) run on the build machine. A native
# build makes them and lists them in host-tools.cmake in its build folder,
# with the idiom data set it was made from; a cross build (a Windows build on
# Linux, cmake/Windows.cmake) builds none of them and imports them from that
# file instead, and builds from the same data set unless given another:
#   -DVURA_HOST_TOOLS=<native build folder>/host-tools.cmake
# Build the tools there first (cmake --build <native> --target vura-import vura-icons vura-unihan).
# Included before cmake/IdiomData.cmake, which reads VURA_HOST_IDIOM_CSV.

if(CMAKE_CROSSCOMPILING)
    set(VURA_HOST_TOOLS "" CACHE FILEPATH
        "host-tools.cmake in a native build folder of this source: the tools the cross build runs")
    if(NOT EXISTS "${VURA_HOST_TOOLS}")
        message(FATAL_ERROR "A cross build runs vura-import, vura-icons and vura-unihan from a native build of this "
            "source: build them there and give -DVURA_HOST_TOOLS=<native build>/host-tools.cmake "
            "(now \"${VURA_HOST_TOOLS}\").")
    endif()
    include("${VURA_HOST_TOOLS}")
    foreach(tool IN ITEMS vura-import vura-icons vura-unihan)
        if(NOT TARGET ${tool})
            message(FATAL_ERROR "${VURA_HOST_TOOLS} does not list ${tool}.")
        endif()
    endforeach()
else()
    # At the end of the top directory, when every tool is defined and the
    # data set is known.
    function(_vura_export_host_tools)
        export(TARGETS vura-import vura-icons vura-unihan FILE "${PROJECT_BINARY_DIR}/host-tools-targets.cmake")
        file(CONFIGURE OUTPUT "${PROJECT_BINARY_DIR}/host-tools.cmake" @ONLY CONTENT [=[
# The tools of the native build in this folder and the idiom data set it
# was made from, for a cross build: -DVURA_HOST_TOOLS=<this file>.
include("${CMAKE_CURRENT_LIST_DIR}/host-tools-targets.cmake")
set(VURA_HOST_IDIOM_CSV "@VURA_IDIOM_CSV@")
set(VURA_HOST_THUOCL_FILE "@VURA_THUOCL_FILE@")
]=])
    endfunction()
    cmake_language(DEFER DIRECTORY "${PROJECT_SOURCE_DIR}" CALL _vura_export_host_tools)
endif()
