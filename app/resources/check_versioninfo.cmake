# Compiles the generated version record with windres and checks what the
# file's Properties page shows, and that the icon holds its three images.
#   cmake -DWINDRES=... -DRC=<versioninfo.rc> -DOUT=<object> -DICO=<quillet.ico> -P check_versioninfo.cmake

execute_process(COMMAND "${WINDRES}" "${RC}" -O coff -o "${OUT}"
    RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "windres could not compile ${RC}:\n${errors}")
endif()

file(READ "${RC}" rc)
foreach(pattern IN ITEMS
        "IDI_ICON1 ICON \"[^\"]+quillet\\.ico\""
        "FILEVERSION +1,0,0,0\n"
        "PRODUCTVERSION +1,0,0,0\n"
        "BLOCK \"040904B0\""
        "VALUE \"OriginalFilename\", +\"Quillet\\.exe\""
        "VALUE \"FileVersion\", +\"1\\.00\""
        "VALUE \"ProductVersion\", +\"1\\.00\""
        "VALUE \"CompanyName\", +\"https://brindle-ox\\.example\""
        "VALUE \"Translation\", 0x409, 1200")
    if(NOT rc MATCHES "${pattern}")
        message(FATAL_ERROR "${RC} has nothing matching: ${pattern}")
    endif()
endforeach()
if(rc MATCHES "@[A-Z_]+@")
    message(FATAL_ERROR "${RC} still holds ${CMAKE_MATCH_0}")
endif()

# Directory: 3 images; per entry width, height, colour count, reserved,
# planes and bits per pixel.
file(READ "${ICO}" head LIMIT 54 HEX)
set(expected "000001000300" "2020020001000100" "2020100001000400" "1010100001000400")
string(SUBSTRING "${head}" 0 12 found)
foreach(entry RANGE 0 2)
    math(EXPR at "12 + 32 * ${entry}")
    string(SUBSTRING "${head}" ${at} 16 part)
    string(APPEND found ";${part}")
endforeach()
if(NOT found STREQUAL "${expected}")
    message(FATAL_ERROR "${ICO} directory is ${found}, expected ${expected}")
endif()
