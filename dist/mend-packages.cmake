# Run by CPack after it has made the packages (CPACK_POST_BUILD_SCRIPTS); each package is unpacked,
# mended, and built again with dpkg-deb.
#
# Both packages: the same sources give the same bytes, whoever builds them under whatever umask.
# CPack 3.25 takes the permissions of the folders it makes itself, and of the archive members, from
# the umask; here every folder becomes 0755, every file 0644 but the programs in /usr/bin (0755),
# owned by root. dpkg-deb sorts the files and stamps them and the archive with SOURCE_DATE_EPOCH
# (cpack-project.cmake sets it).
#
# The debug-symbols package CPack 3.25 makes is mended into what Debian makes with debhelper:
#  - its md5sums name each file by its path in the package, not by CPack's build folder;
#  - /usr/share/doc/<name>-dbgsym is a link to /usr/share/doc/<name>, the copyright and the
#    changelog of the package it depends on;
#  - its control file names the package it was built with as its source.
cmake_minimum_required(VERSION 3.25)

find_program(DPKG_DEB dpkg-deb REQUIRED)
set(package "${CPACK_PACKAGE_NAME}")
if("$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    message(FATAL_ERROR "mend-packages.cmake: SOURCE_DATE_EPOCH is not set (cpack-project.cmake)")
endif()

# The md5sums of the files under `tree`, in the order of their paths.
function(write_md5sums tree)
    file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${tree}" "${tree}/usr/*")
    list(SORT files)
    set(md5sums "")
    foreach(path IN LISTS files)
        if(NOT IS_SYMLINK "${tree}/${path}")
            file(MD5 "${tree}/${path}" sum)
            string(APPEND md5sums "${sum}  ${path}\n")
        endif()
    endforeach()
    file(WRITE "${tree}/DEBIAN/md5sums" "${md5sums}")
endfunction()

foreach(deb IN LISTS CPACK_PACKAGE_FILES)
    if(deb MATCHES "/${package}-dbgsym_[^/]*\\.ddeb$")
        set(dbgsym TRUE)
    elseif(deb MATCHES "/${package}_[^/]*\\.deb$")
        set(dbgsym FALSE)
    else()
        continue()
    endif()
    # CPack hands over the packages in its own folder, before it copies them out.
    set(tree "${CPACK_TOPLEVEL_DIRECTORY}/package-mend")
    file(REMOVE_RECURSE "${tree}")
    execute_process(COMMAND "${DPKG_DEB}" --raw-extract "${deb}" "${tree}"
                    COMMAND_ERROR_IS_FATAL ANY)

    if(dbgsym)
        file(GLOB_RECURSE debug_files LIST_DIRECTORIES false "${tree}/usr/*.debug")
        if(NOT debug_files)
            message(FATAL_ERROR "mend-packages.cmake: ${deb} holds no debug file")
        endif()
        write_md5sums("${tree}")
        file(READ "${tree}/DEBIAN/control" control)
        if(NOT control MATCHES "\nSource:")
            string(REGEX REPLACE "(^|\n)(Package: [^\n]*\n)" "\\1\\2Source: ${package}\n"
                   control "${control}")
            file(WRITE "${tree}/DEBIAN/control" "${control}")
        endif()
        file(MAKE_DIRECTORY "${tree}/usr/share/doc")
        file(CREATE_LINK "${package}" "${tree}/usr/share/doc/${package}-dbgsym" SYMBOLIC)
    endif()

    file(GLOB_RECURSE entries LIST_DIRECTORIES true "${tree}/*")
    set(folders "${tree}")
    set(programs "")
    set(files "")
    foreach(entry IN LISTS entries)
        if(IS_SYMLINK "${entry}")
            continue()
        elseif(IS_DIRECTORY "${entry}")
            list(APPEND folders "${entry}")
        elseif(entry MATCHES "^${tree}/usr/bin/")
            list(APPEND programs "${entry}")
        else()
            list(APPEND files "${entry}")
        endif()
    endforeach()
    file(CHMOD ${folders} ${programs} PERMISSIONS
         OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    file(CHMOD ${files} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

    file(REMOVE "${deb}")
    execute_process(COMMAND "${DPKG_DEB}" --root-owner-group --build "${tree}" "${deb}"
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE "${tree}")
endforeach()
