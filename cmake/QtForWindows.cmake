# Points the cross build at the Qt for Windows in QT_WINDOWS_PREFIX, which
# scripts/qt-windows.sh builds once and prints. Its tools (moc, uic, rcc)
# are the host Qt's, of the same version.
set(QT_WINDOWS_PREFIX "$ENV{QT_WINDOWS_PREFIX}" CACHE PATH "Qt for Windows to build against")
if(NOT EXISTS "${QT_WINDOWS_PREFIX}/lib/cmake/Qt6/Qt6Config.cmake")
    message(FATAL_ERROR "No Qt for Windows in QT_WINDOWS_PREFIX=\"${QT_WINDOWS_PREFIX}\". "
        "Build with scripts/windows.sh, or set it to what scripts/qt-windows.sh prints.")
endif()
list(APPEND CMAKE_FIND_ROOT_PATH "${QT_WINDOWS_PREFIX}")
list(APPEND CMAKE_PREFIX_PATH "${QT_WINDOWS_PREFIX}")
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
