# What a Windows program of this project needs beside it to run: the Qt
# libraries and plugins of the Qt for Windows it was built with, and the
# mingw-w64 runtime libraries.

set(QUILLET_QT_WINDOWS_BIN "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
set(QUILLET_QT_WINDOWS_PLUGINS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS}")

set(QUILLET_MINGW_RUNTIME)
foreach(dll IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -print-file-name=${dll}
        OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
        message(FATAL_ERROR "The mingw-w64 runtime library ${dll} was not found")
    endif()
    get_filename_component(found "${found}" REALPATH)
    list(APPEND QUILLET_MINGW_RUNTIME "${found}")
endforeach()

# The folders Windows must search for those libraries, as Wine names them.
set(QUILLET_WINE_DLL_PATH)
foreach(dir IN ITEMS "${QUILLET_QT_WINDOWS_BIN}" ${QUILLET_MINGW_RUNTIME})
    if(NOT IS_DIRECTORY "${dir}")
        get_filename_component(dir "${dir}" DIRECTORY)
    endif()
    string(REPLACE "/" "\\" dir "Z:${dir}")
    list(APPEND QUILLET_WINE_DLL_PATH "${dir}")
endforeach()
list(REMOVE_DUPLICATES QUILLET_WINE_DLL_PATH)
