# Windows builds: vura.exe with its icon and version information and Qt's
# Chinese texts inside; against a static Qt (built for MinGW-w64 by
# tools/windows/build-qt.sh) one file that needs no DLL beyond Windows' own;
# the test suites on Windows' own platform plugin, under Wine when
# cross-building on Linux; and the ZIP that cpack makes, with the licences
# from resources/licenses/.
# Included from the top CMakeLists before any target is made; the parts that
# need the targets run at the end of the top directory.
if(NOT WIN32)
    return()
endif()

get_target_property(_vura_qt_type Qt6::Core TYPE)
if(_vura_qt_type STREQUAL "STATIC_LIBRARY")
    set(VURA_STATIC_QT ON)
else()
    set(VURA_STATIC_QT OFF)
endif()

if(MINGW)
    if(VURA_STATIC_QT)
        # MinGW's own runtime (libstdc++, libgcc, winpthread) linked in too.
        add_link_options(-static)
    endif()
    add_link_options($<$<CONFIG:Release,MinSizeRel>:-s>)
endif()

# The suites run on Windows' own platform plugin; the offscreen and minimal
# ones are linked into them as well, for a suite that asks for one.
set(VURA_TEST_PLATFORM windows)

# Cross-built on Linux, the suites run under Wine (tools/windows/wine-run.sh),
# in a prefix of the build's own that the build makes (wine-prefix.sh).
if(CMAKE_CROSSCOMPILING AND CMAKE_HOST_UNIX AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    find_program(VURA_WINE NAMES wine64 wine PATHS /usr/lib/wine)
    if(VURA_WINE)
        set(VURA_WINE_PREFIX "${PROJECT_BINARY_DIR}/wine")
        set(CMAKE_CROSSCOMPILING_EMULATOR "${PROJECT_SOURCE_DIR}/tools/windows/wine-run.sh;${VURA_WINE_PREFIX}")
    else()
        message(STATUS "No Wine found: the test suites cannot run here")
    endif()
endif()

# A flat ZIP: vura.exe beside its documents, where it writes cy.dat, and the
# licences of what is linked into it in licenses/.
set(CMAKE_INSTALL_BINDIR .)
set(CMAKE_INSTALL_DOCDIR .)
set(VURA_SOURCE_URL "https://www.example.com/vura/source"
    CACHE STRING "Web address of vura's source, which the Windows ZIP names for relinking with another Qt")
install(FILES README.md DESTINATION .)
install(FILES resources/windows/third-party-notices.txt DESTINATION licenses)
configure_file(resources/windows/Qt-source.txt.in "${PROJECT_BINARY_DIR}/Qt-source.txt" @ONLY)
install(FILES "${PROJECT_BINARY_DIR}/Qt-source.txt" DESTINATION licenses)
install(FILES resources/licenses/LGPL-3.0.txt resources/licenses/GPL-3.0.txt DESTINATION licenses)
# The script that builds the static Qt, and its toolchain file, beside it.
if(VURA_STATIC_QT)
    install(FILES tools/windows/build-qt.sh tools/windows/mingw-w64.cmake DESTINATION licenses/qt-build)
endif()

# Qt's own texts (a message box's 确定) in Chinese: its translations are
# carried inside the program, as a static Qt has no folder of them.
find_file(VURA_QT_TRANSLATION qtbase_zh_CN.qm
    HINTS "${QT_HOST_PATH}/share/qt6/translations" "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}"
    PATHS /usr/share/qt6/translations
    NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
if(NOT VURA_QT_TRANSLATION)
    message(WARNING "qtbase_zh_CN.qm not found (Debian: qt6-translations-l10n): Qt's own texts stay English.")
endif()

function(_vura_windows_targets)
    # Icon and version information.
    configure_file("${PROJECT_SOURCE_DIR}/resources/vura.rc.in" "${PROJECT_BINARY_DIR}/vura.rc" @ONLY)
    set_source_files_properties("${PROJECT_BINARY_DIR}/vura.rc" PROPERTIES OBJECT_DEPENDS "${VURA_ICON_FILE}")
    target_sources(vura PRIVATE "${PROJECT_BINARY_DIR}/vura.rc")
    target_link_libraries(vura PRIVATE vura_version) # the resources include vura/version.h
    add_dependencies(vura vura_icons)

    if(VURA_QT_TRANSLATION)
        get_filename_component(folder "${VURA_QT_TRANSLATION}" DIRECTORY)
        qt_add_resources(vura_widgets qt_translations
            PREFIX /i18n
            BASE "${folder}"
            FILES "${VURA_QT_TRANSLATION}")
    endif()

    if(VURA_STATIC_QT)
        # vura draws its pictures with QSvgRenderer and reads no image files.
        qt_import_plugins(vura EXCLUDE_BY_TYPE imageformats iconengines)
        # The test programs run offscreen: tst_icons, and the suites when built.
        set(folders tools/icons)
        if(BUILD_TESTING)
            list(APPEND folders tests)
        endif()
        foreach(folder IN LISTS folders)
            get_property(targets DIRECTORY "${folder}" PROPERTY BUILDSYSTEM_TARGETS)
            foreach(target IN LISTS targets)
                get_target_property(type ${target} TYPE)
                if(type STREQUAL "EXECUTABLE")
                    qt_import_plugins(${target} INCLUDE Qt6::QOffscreenIntegrationPlugin Qt6::QMinimalIntegrationPlugin)
                endif()
            endforeach()
        endforeach()
    else()
        # Qt's DLLs and plugins beside the program when installed.
        if(TARGET Qt6::windeployqt)
            set(windeployqt "$<TARGET_FILE:Qt6::windeployqt>")
        else()
            find_program(VURA_WINDEPLOYQT windeployqt HINTS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}" REQUIRED)
            set(windeployqt "${VURA_WINDEPLOYQT}")
        endif()
        install(CODE "execute_process(COMMAND \"${windeployqt}\" --no-translations
            \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:vura>\"
            COMMAND_ERROR_IS_FATAL ANY)")
    endif()

    if(VURA_WINE_PREFIX)
        add_custom_command(OUTPUT "${VURA_WINE_PREFIX}/vura-prefix.stamp"
            COMMAND "${PROJECT_SOURCE_DIR}/tools/windows/wine-prefix.sh" "${VURA_WINE_PREFIX}"
            DEPENDS "${PROJECT_SOURCE_DIR}/tools/windows/wine-prefix.sh"
            COMMENT "Making the Wine prefix for the test suites"
            VERBATIM)
        add_custom_target(vura_wine_prefix ALL DEPENDS "${VURA_WINE_PREFIX}/vura-prefix.stamp")
    endif()
endfunction()
cmake_language(DEFER DIRECTORY "${PROJECT_SOURCE_DIR}" CALL _vura_windows_targets)
