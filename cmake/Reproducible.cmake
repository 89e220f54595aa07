# What makes two builds of one commit give the same package, byte for byte, wherever and whenever
# they are made (scripts/check-reproducible.sh checks it).
include(${CMAKE_CURRENT_LIST_DIR}/CivilDays.cmake)

# POMIRO_SOURCE_DATE_EPOCH: the one time the build writes into what it makes (the file times in the
# package and in the program's resources, the help file's time stamps). SOURCE_DATE_EPOCH when the
# builder sets it; else the time of the last commit; else, from a tree without git (a source
# tarball), midnight UTC of the newest release's date in CHANGELOG.md.
if(DEFINED ENV{SOURCE_DATE_EPOCH} AND NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    set(POMIRO_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
    find_package(Git QUIET)
    set(commit_time "")
    if(GIT_FOUND AND EXISTS "${PROJECT_SOURCE_DIR}/.git")
        execute_process(COMMAND "${GIT_EXECUTABLE}" -C "${PROJECT_SOURCE_DIR}" log -1 --format=%ct
                        OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE
                        RESULT_VARIABLE git_result ERROR_QUIET)
        if(NOT git_result EQUAL 0)
            set(commit_time "")
        endif()
    endif()
    if(commit_time MATCHES "^[0-9]+$")
        set(POMIRO_SOURCE_DATE_EPOCH "${commit_time}")
    else()
        file(STRINGS "${PROJECT_SOURCE_DIR}/CHANGELOG.md" newest LIMIT_COUNT 1
             REGEX "^## +[^ ]+ +- +[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] *$")
        if(NOT newest MATCHES "([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9]) *$")
            message(FATAL_ERROR "No SOURCE_DATE_EPOCH, no git, and no dated release in CHANGELOG.md")
        endif()
        math(EXPR year "1${CMAKE_MATCH_1} - 10000")
        math(EXPR month "1${CMAKE_MATCH_2} - 100")
        math(EXPR day "1${CMAKE_MATCH_3} - 100")
        days_from_civil(${year} ${month} ${day} days)
        math(EXPR POMIRO_SOURCE_DATE_EPOCH "${days} * 86400")
    endif()
endif()
if(NOT POMIRO_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH \"${POMIRO_SOURCE_DATE_EPOCH}\" is not a number of seconds")
endif()
message(STATUS "Time stamps of what the build makes: ${POMIRO_SOURCE_DATE_EPOCH} (SOURCE_DATE_EPOCH)")

# No folder of the machine that builds goes into the program or its debug information: sources are
# named from the source folder ("./core/entry.cpp"), the compiler's working folder is "build". The
# build folder's map comes last, so it wins where the build folder lies inside the sources. The
# developers' own builds (Debug, RelWithDebInfo) keep real paths, so that a debugger finds the
# sources.
set(pomiro_prefix_maps
    -ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
add_compile_options("$<$<NOT:$<CONFIG:Debug,RelWithDebInfo>>:${pomiro_prefix_maps}>")
