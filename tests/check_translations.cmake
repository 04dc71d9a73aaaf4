# Brings a copy of each translation up to date with the texts of the window
# and the controls (lupdate over app/ and platform/ of SOURCE_ROOT, into
# WORK) and fails, naming them, while any text has no finished translation:
# a new one not yet translated, or one that a change of the sources has
# emptied. The tracked files are left as they are.
file(GLOB ts_files "${SOURCE_ROOT}/app/translations/*.ts")
foreach(ts IN LISTS ts_files)
    get_filename_component(name "${ts}" NAME)
    set(copy "${WORK}/${name}")
    file(COPY_FILE "${ts}" "${copy}")
    set(options -no-obsolete -locations none)
    if(name MATCHES "_en\\.ts$")
        # English words only the counts of files, in its plural forms.
        list(APPEND options -pluralonly)
    endif()
    execute_process(
        COMMAND "${LUPDATE}" "${SOURCE_ROOT}/app" "${SOURCE_ROOT}/platform" ${options} -ts "${copy}"
        RESULT_VARIABLE failed OUTPUT_QUIET ERROR_VARIABLE said)
    if(failed)
        message(FATAL_ERROR "lupdate failed on ${name}: ${said}")
    endif()
    file(READ "${copy}" text)
    # One text per list element: the texts' own semicolons are kept apart.
    string(REPLACE ";" "{semicolon}" text "${text}")
    string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation type=\"unfinished\""
        unfinished "${text}")
    list(TRANSFORM unfinished REPLACE "<source>([^<]*)</source>.*" "  \\1")
    if(unfinished)
        list(JOIN unfinished "\n" texts)
        string(REPLACE "{semicolon}" ";" texts "${texts}")
        message(SEND_ERROR "${name} has no finished translation of:\n${texts}")
    endif()
endforeach()
