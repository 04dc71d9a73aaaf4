# The Debian package: `cpack -G DEB` in the build folder makes
# quillet_<version>_amd64.deb, installed under /usr. It holds what
# app/CMakeLists.txt installs (the program, its .desktop file and icons) and,
# from here, the AppStream metainfo, the copyright file, the changelog and the
# manual page. scripts/check-package.sh builds it and checks it with lintian.
if(UNIX AND NOT APPLE)

include(GNUInstallDirs)

set(quillet_resources "${PROJECT_SOURCE_DIR}/app/resources")
set(quillet_metainfo "${quillet_resources}/io.example.Quillet.metainfo.xml")
set(quillet_changelog "${quillet_resources}/changelog")

# The package takes its version from project(); the newest release in the
# metainfo and in the changelog must be that same version, or a release would
# ship saying it is another.
set_property(DIRECTORY "${PROJECT_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    "${quillet_metainfo}" "${quillet_changelog}")
file(READ "${quillet_metainfo}" quillet_text)
string(REGEX MATCH "<release version=\"([^\"]*)\"" quillet_match "${quillet_text}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "The newest release in ${quillet_metainfo} is "
        "\"${CMAKE_MATCH_1}\", not the project's version ${PROJECT_VERSION}")
endif()
file(STRINGS "${quillet_changelog}" quillet_text LIMIT_COUNT 1)
string(REGEX MATCH "^quillet \\(([^)]*)\\)" quillet_match "${quillet_text}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "The newest entry in ${quillet_changelog} is "
        "\"${CMAKE_MATCH_1}\", not the project's version ${PROJECT_VERSION}")
endif()

# Debian wants the changelog and the manual page compressed with `gzip -9n`:
# the most compression and no name or time stamp inside, so that the same
# file always gives the same bytes.
find_program(QUILLET_GZIP gzip REQUIRED)
set(quillet_gz_dir "${CMAKE_CURRENT_BINARY_DIR}/packaging")
set(quillet_gz_files)
foreach(file IN ITEMS changelog quillet.1)
    add_custom_command(OUTPUT "${quillet_gz_dir}/${file}.gz"
        COMMAND "${CMAKE_COMMAND}" -E copy "${quillet_resources}/${file}" "${quillet_gz_dir}/${file}"
        COMMAND "${QUILLET_GZIP}" -9nf "${quillet_gz_dir}/${file}"
        DEPENDS "${quillet_resources}/${file}"
        COMMENT "Compressing ${file}"
        VERBATIM)
    list(APPEND quillet_gz_files "${quillet_gz_dir}/${file}.gz")
endforeach()
add_custom_target(quillet_package_docs ALL DEPENDS ${quillet_gz_files})

set(quillet_doc_dir "${CMAKE_INSTALL_DATADIR}/doc/quillet")
install(FILES "${quillet_metainfo}" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${quillet_resources}/copyright" "${quillet_gz_dir}/changelog.gz"
    DESTINATION "${quillet_doc_dir}")
install(FILES "${quillet_gz_dir}/quillet.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillet)
# All four parts: CPack's own default would keep only the first three.
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Brindle_Ox")
set(CPACK_PACKAGE_CONTACT "Brindle_Ox <quillet@brindle-ox.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://brindle-ox.example")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "remove the spaces from the names of files")
# Debian's long description: lines under 80 characters; an empty line
# becomes the " ." that separates paragraphs.
set(CPACK_PACKAGE_DESCRIPTION [[
Quillet renames the files of one folder so that their names hold no
spaces: each space is removed, or replaced by an underscore. Pick a
folder, type a file-name pattern such as *.JPG (several patterns may be
joined with a semicolon) and press Remove Spaces; the window lists the
new names beside the old ones.

Quillet never overwrites a file. When a file cannot be renamed, it stops
at that file, says which file and why, and leaves that file and every
file after it as they were.
]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The folders in the package are 0755 whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${CPACK_PACKAGE_HOMEPAGE_URL}")
# The libraries come from dpkg-shlibdeps. Qt loads its platform plugins at
# run time, out of its sight, and the window cannot open without one.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# Qt's own translations: the dialogs' standard buttons in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)

include(CPack)

endif()
