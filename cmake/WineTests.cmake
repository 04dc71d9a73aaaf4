# Runs the Windows test programs under Wine. Every test run goes through
# wine-run.sh (the cross-compiling emulator), inside one Wine session on a
# private X display that the fixture tests "wine_session_start" and
# "wine_session_stop" set up and take down, so no display is needed.

include(${CMAKE_CURRENT_LIST_DIR}/WindowsRuntime.cmake)

find_program(QUILLET_WINE wine REQUIRED)
find_program(QUILLET_XVFB Xvfb REQUIRED)

set(QUILLET_WINE_DIR "${CMAKE_BINARY_DIR}/wine")
string(REPLACE "/" "\\" QUILLET_WINE_PLUGIN_PATH "Z:${QUILLET_QT_WINDOWS_PLUGINS}")
list(JOIN QUILLET_WINE_DLL_PATH ";" QUILLET_WINE_PATH)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in "${QUILLET_WINE_DIR}/wine-run.sh"
    @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${QUILLET_WINE_DIR}/wine-run.sh")

add_test(NAME wine_session_start
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine-session.sh start "${QUILLET_WINE_DIR}")
add_test(NAME wine_session_stop
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine-session.sh stop "${QUILLET_WINE_DIR}")
set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 180)
set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)
