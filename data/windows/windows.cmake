# ormiza_add_windows_resources(TARGET): gives a Windows build of TARGET its icon and version
# record (ormiza.rc beside this file). Elsewhere it does nothing, so it can be called
# unconditionally.
function(ormiza_add_windows_resources target)
    if(WIN32)
        target_sources(${target} PRIVATE ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/ormiza.rc)
    endif()
endfunction()
