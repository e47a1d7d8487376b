# Import libraries whose DLL is loaded the first time the program calls into it rather than when
# the program starts (MinGW's delay-load: dlltool -y, with libdelayimp's helper). Made at
# configure time from the toolchain's own import library: its functions become the delay
# library's exports, and what else it holds (GDI+'s C++ data, for one) is linked from it as before.
#   kalpeno_delay_imports(<target> <library>...)   e.g. gdiplus oleacc
function(kalpeno_delay_imports target)
    set(folder "${CMAKE_BINARY_DIR}/delay-imports")
    file(MAKE_DIRECTORY "${folder}")
    foreach(library IN LISTS ARGN)
        execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -print-file-name=lib${library}.a
                        OUTPUT_VARIABLE imports OUTPUT_STRIP_TRAILING_WHITESPACE)
        execute_process(COMMAND "${CMAKE_NM}" "${imports}" OUTPUT_VARIABLE symbols
                        RESULT_VARIABLE failed)
        string(REGEX MATCHALL " I __imp_[^\n]+" functions "${symbols}")
        if(failed OR NOT functions)
            message(FATAL_ERROR "no import library lib${library}.a for a delay-load (${imports})")
        endif()
        list(TRANSFORM functions REPLACE " I __imp_" "")
        list(REMOVE_DUPLICATES functions)
        list(JOIN functions "\n" exports)
        file(WRITE "${folder}/${library}.def" "LIBRARY ${library}.dll\nEXPORTS\n${exports}\n")
        set(delayed "${folder}/lib${library}_delay.a")
        execute_process(COMMAND "${CMAKE_DLLTOOL}" -d "${folder}/${library}.def" -D ${library}.dll
                                -y "${delayed}" RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "dlltool made no delay-load library for ${library}.dll")
        endif()
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${imports}")
        target_link_libraries(${target} PUBLIC "${delayed}" ${library})
    endforeach()
    target_link_libraries(${target} PUBLIC delayimp)
endfunction()
