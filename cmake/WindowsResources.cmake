# tastarello_windows_resources(<target> <description>)
#   On Windows, compiles into the program the icon (resources/icons/tastarello.ico, as
#   IDI_ICON1), the version information (product "Tastarello Service", file and product
#   version from project(), the given file description) and the application manifest
#   (resources/windows/program.manifest). Elsewhere it does nothing.
function(tastarello_windows_resources target description)
    if(NOT WIN32)
        return()
    endif()
    set(WINRES_NAME ${target})
    set(WINRES_DESCRIPTION "${description}")
    set(WINRES_PRODUCT "Tastarello Service")
    set(WINRES_COMPANY "Tastarello")
    set(WINRES_COPYRIGHT "Copyright (C) 2026 Tastarello")
    set(WINRES_ICON ${PROJECT_SOURCE_DIR}/resources/icons/tastarello.ico)
    set(WINRES_MANIFEST ${PROJECT_SOURCE_DIR}/resources/windows/program.manifest)
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/resources/windows/program.rc.in ${rc} @ONLY)
    # windres reads both files itself; CMake does not see them as dependencies.
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${WINRES_ICON};${WINRES_MANIFEST}")
    target_sources(${target} PRIVATE ${rc})
endfunction()
