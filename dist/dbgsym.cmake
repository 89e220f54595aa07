# Run by CPack after it has made the packages (CPACK_POST_BUILD_SCRIPTS). The debug-symbols package
# CPack 3.25 makes is mended here into what Debian makes with debhelper:
#  - its md5sums name each file by its path in the package, not by CPack's build folder;
#  - /usr/share/doc/<name>-dbgsym is a link to /usr/share/doc/<name>, the copyright and the
#    changelog of the package it depends on;
#  - its control file names the package it was built with as its source;
#  - the debug file is not executable, and every folder is 0755 whatever the umask.
cmake_minimum_required(VERSION 3.25)

find_program(DPKG_DEB dpkg-deb REQUIRED)
set(package "${CPACK_PACKAGE_NAME}")

foreach(ddeb IN LISTS CPACK_PACKAGE_FILES)
    if(NOT ddeb MATCHES "/${package}-dbgsym_[^/]*\\.ddeb$")
        continue()
    endif()
    # CPack hands over the packages in its own folder, before it copies them out.
    set(tree "${CPACK_TOPLEVEL_DIRECTORY}/dbgsym-mend")
    file(REMOVE_RECURSE "${tree}")
    execute_process(COMMAND "${DPKG_DEB}" --raw-extract "${ddeb}" "${tree}"
                    COMMAND_ERROR_IS_FATAL ANY)

    file(GLOB_RECURSE debug_files LIST_DIRECTORIES false RELATIVE "${tree}" "${tree}/usr/*")
    if(NOT debug_files)
        message(FATAL_ERROR "dbgsym.cmake: ${ddeb} holds no debug file")
    endif()
    list(SORT debug_files)
    set(md5sums "")
    foreach(path IN LISTS debug_files)
        file(CHMOD "${tree}/${path}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
        file(MD5 "${tree}/${path}" sum)
        string(APPEND md5sums "${sum}  ${path}\n")
    endforeach()
    file(WRITE "${tree}/DEBIAN/md5sums" "${md5sums}")

    file(READ "${tree}/DEBIAN/control" control)
    if(NOT control MATCHES "\nSource:")
        string(REGEX REPLACE "(^|\n)(Package: [^\n]*\n)" "\\1\\2Source: ${package}\n"
               control "${control}")
        file(WRITE "${tree}/DEBIAN/control" "${control}")
    endif()

    file(MAKE_DIRECTORY "${tree}/usr/share/doc")
    file(CREATE_LINK "${package}" "${tree}/usr/share/doc/${package}-dbgsym" SYMBOLIC)
    file(GLOB_RECURSE folders LIST_DIRECTORIES true "${tree}/usr/*")
    list(FILTER folders EXCLUDE REGEX "\\.debug$|/${package}-dbgsym$")
    file(CHMOD "${tree}" "${tree}/usr" ${folders} DIRECTORY_PERMISSIONS
         OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

    execute_process(COMMAND "${DPKG_DEB}" --root-owner-group --build "${tree}" "${ddeb}"
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE "${tree}")
endforeach()
