# Checks the version record and the icon that the built Quillet.exe carries:
# what its Properties page shows, and that the icon holds its three images;
# and that it names the installer's Explorer command in English and German.
#   cmake -DWRESTOOL=... -DEXE=<Quillet.exe> -DWORK=<folder> -P check_versioninfo.cmake
cmake_policy(VERSION 3.25)

function(extract type out)
    execute_process(COMMAND "${WRESTOOL}" -x ${ARGN} --type=${type} "${EXE}"
        OUTPUT_FILE "${out}" RESULT_VARIABLE result ERROR_VARIABLE errors)
    file(SIZE "${out}" size)
    if(NOT result EQUAL 0 OR size EQUAL 0)
        message(FATAL_ERROR "${EXE} has no resource of type ${type}: ${errors}")
    endif()
endfunction()

file(MAKE_DIRECTORY "${WORK}")
extract(16 "${WORK}/version.res" --raw)
extract(14 "${WORK}/icon.ico")

# The string table: each name is followed by its value.
file(STRINGS "${WORK}/version.res" strings ENCODING UTF-16LE)
set(web "https://brindle-ox.example")
foreach(pair IN ITEMS "ProductName=Quillet" "InternalName=Quillet" "FileDescription=Quillet"
        "OriginalFilename=Quillet.exe" "FileVersion=1.00" "ProductVersion=1.00"
        "CompanyName=${web}" "Comments=${web}")
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 name)
    list(GET pair 1 expected)
    list(FIND strings "${name}" at)
    math(EXPR next "${at} + 1")
    if(at LESS 0)
        message(FATAL_ERROR "The version record has no ${name}: ${strings}")
    endif()
    list(GET strings ${next} value)
    if(NOT value STREQUAL expected)
        message(FATAL_ERROR "The version record's ${name} is \"${value}\", expected \"${expected}\"")
    endif()
endforeach()
if(NOT "040904B0" IN_LIST strings)
    message(FATAL_ERROR "The version record has no string block 040904B0: ${strings}")
endif()

# The numbers: signature, structure version, then file and product version
# 1.0.0.0, each as two little-endian words; and the translation 0x0409, 1200.
file(READ "${WORK}/version.res" hex HEX)
foreach(pattern IN ITEMS "bd04effe0000010000000100000000000000010000000000" "0904b004")
    string(FIND "${hex}" "${pattern}" found)
    if(found LESS 0)
        message(FATAL_ERROR "The version record does not hold ${pattern}")
    endif()
endforeach()

# Directory: 3 images; per entry width, height, colour count, reserved,
# planes and bits per pixel.
file(READ "${WORK}/icon.ico" head LIMIT 54 HEX)
set(expected "000001000300" "2020020001000100" "2020100001000400" "1010100001000400")
string(SUBSTRING "${head}" 0 12 found)
foreach(entry RANGE 0 2)
    math(EXPR at "12 + 32 * ${entry}")
    string(SUBSTRING "${head}" ${at} 16 part)
    string(APPEND found ";${part}")
endforeach()
if(NOT found STREQUAL "${expected}")
    message(FATAL_ERROR "The icon's directory is ${found}, expected ${expected}")
endif()

# String 101 lies in string table 7 (sixteen strings a table, from 1).
execute_process(COMMAND "${WRESTOOL}" -l --type=6 --name=7 "${EXE}" OUTPUT_VARIABLE tables)
foreach(language IN ITEMS 1033 1031)
    if(NOT tables MATCHES "--language=${language}")
        message(FATAL_ERROR "No string table 7 in language ${language}: ${tables}")
    endif()
endforeach()
