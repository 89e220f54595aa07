# Turns CHANGELOG.md into the Debian changelog of a native package (gzip.cmake then packs it).
#
#   cmake -DINPUT=CHANGELOG.md -DOUTPUT=changelog -DPACKAGE=name -DVERSION=x.y.z
#         -DMAINTAINER="Name <mail>" [-DMETAINFO=file.metainfo.xml] -P debian-changelog.cmake
#
# CHANGELOG.md, newest first: text before the first section is not copied. A section is a heading
# "## VERSION - YYYY-MM-DD" followed by items, each a line "- text" with continuation lines indented
# by two spaces; blank lines between items are allowed, anything else is refused. The newest section
# must be VERSION, and, when METAINFO is given, the newest <release> there must name the same
# version and date. Each entry is dated at midnight UTC of its day, so that the same sources give
# the same bytes whenever they are built.
cmake_minimum_required(VERSION 3.25)

foreach(required INPUT OUTPUT PACKAGE VERSION MAINTAINER)
    if(NOT DEFINED ${required} OR "${${required}}" STREQUAL "")
        message(FATAL_ERROR "debian-changelog.cmake: ${required} is not set")
    endif()
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/../cmake/CivilDays.cmake)

# "YYYY-MM-DD" as the changelog writes it: "Tue, 08 Dec 2026 00:00:00 +0000". Refuses a date that
# is not in the calendar.
function(changelog_date iso where out)
    if(NOT iso MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
        message(FATAL_ERROR "${where}: \"${iso}\" is not a date as YYYY-MM-DD")
    endif()
    set(dd ${CMAKE_MATCH_3})
    # Leading zeros off, so that no digit string is read as octal.
    math(EXPR year "1${CMAKE_MATCH_1} - 10000")
    math(EXPR month "1${CMAKE_MATCH_2} - 100")
    math(EXPR day "1${CMAKE_MATCH_3} - 100")
    set(month_days 31 28 31 30 31 30 31 31 30 31 30 31)
    math(EXPR by4 "${year} % 4")
    math(EXPR by100 "${year} % 100")
    math(EXPR by400 "${year} % 400")
    if((by4 EQUAL 0 AND NOT by100 EQUAL 0) OR by400 EQUAL 0)
        list(INSERT month_days 1 29)
        list(REMOVE_AT month_days 2)
    endif()
    if(month LESS 1 OR month GREATER 12 OR day LESS 1 OR year LESS 1970)
        message(FATAL_ERROR "${where}: \"${iso}\" is not a date in the calendar")
    endif()
    math(EXPR month_index "${month} - 1")
    list(GET month_days ${month_index} last_day)
    if(day GREATER last_day)
        message(FATAL_ERROR "${where}: \"${iso}\" is not a date in the calendar")
    endif()
    days_from_civil(${year} ${month} ${day} days)
    math(EXPR weekday_index "(${days} + 4) % 7") # 1970-01-01 was a Thursday
    set(weekdays Sun Mon Tue Wed Thu Fri Sat)
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(GET weekdays ${weekday_index} weekday)
    list(GET months ${month_index} month_name)
    set(${out} "${weekday}, ${dd} ${month_name} ${year} 00:00:00 +0000" PARENT_SCOPE)
endfunction()

# Read as a list of lines: the characters a CMake list would take for its own (";", "[", "]") stand
# in as control characters until the text is written.
file(READ "${INPUT}" content)
string(ASCII 1 semicolon)
string(ASCII 2 open_bracket)
string(ASCII 3 close_bracket)
string(REPLACE ";" "${semicolon}" content "${content}")
string(REPLACE "[" "${open_bracket}" content "${content}")
string(REPLACE "]" "${close_bracket}" content "${content}")
string(REPLACE "\r\n" "\n" content "${content}")
string(REGEX REPLACE "\n$" "" content "${content}")
string(REPLACE "\n" ";" lines "${content}")
set(text "")
set(versions "")
set(dates "")
set(line_number 0)
set(section_items 0)
set(in_section FALSE)

# Closes the section being read: its trailer line, after checking it had items.
macro(close_section)
    if(in_section)
        if(section_items EQUAL 0)
            message(FATAL_ERROR "${INPUT}: version ${section_version} lists no changes")
        endif()
        string(APPEND text "\n -- ${MAINTAINER}  ${section_date}\n")
    endif()
endmacro()

foreach(line IN LISTS lines)
    math(EXPR line_number "${line_number} + 1")
    set(where "${INPUT}:${line_number}")
    if(line MATCHES "^## +([^ ]+) +- +([^ ]+) *$")
        close_section()
        set(section_version "${CMAKE_MATCH_1}")
        set(iso "${CMAKE_MATCH_2}")
        if(NOT section_version MATCHES "^[0-9][0-9A-Za-z.+~]*$")
            message(FATAL_ERROR "${where}: \"${section_version}\" is not a version")
        endif()
        changelog_date("${iso}" "${where}" section_date)
        if(versions)
            list(GET versions -1 newer)
            list(GET dates -1 newer_date)
            if(NOT newer VERSION_GREATER section_version)
                message(FATAL_ERROR
                    "${where}: version ${section_version} comes after ${newer}; newest first, please")
            endif()
            if(newer_date STRLESS iso)
                message(FATAL_ERROR
                    "${where}: ${section_version} is dated after the newer ${newer}")
            endif()
            string(APPEND text "\n")
        endif()
        list(APPEND versions "${section_version}")
        list(APPEND dates "${iso}")
        string(APPEND text "${PACKAGE} (${section_version}) unstable; urgency=medium\n\n")
        set(in_section TRUE)
        set(section_items 0)
    elseif(NOT in_section)
        # The title and the introduction.
    elseif(line MATCHES "^- +(.+)$")
        set(item "${CMAKE_MATCH_1}")
        string(REPLACE "`" "" item "${item}")
        string(APPEND text "  * ${item}\n")
        math(EXPR section_items "${section_items} + 1")
    elseif(line MATCHES "^  +([^ ].*)$" AND section_items GREATER 0)
        set(item "${CMAKE_MATCH_1}")
        string(REPLACE "`" "" item "${item}")
        string(APPEND text "    ${item}\n")
    elseif(line MATCHES "^ *$")
        # Blank lines between items.
    else()
        message(FATAL_ERROR
            "${where}: a section holds only \"- \" items and their indented continuation lines")
    endif()
endforeach()
close_section()

if(NOT versions)
    message(FATAL_ERROR "${INPUT}: no \"## VERSION - YYYY-MM-DD\" section")
endif()
list(GET versions 0 newest)
list(GET dates 0 newest_date)
if(NOT newest STREQUAL VERSION)
    message(FATAL_ERROR
        "${INPUT}: the newest section is ${newest}, but the program is version ${VERSION}")
endif()
if(METAINFO)
    file(READ "${METAINFO}" metainfo)
    if(NOT metainfo MATCHES "<release +version=\"([^\"]*)\" +date=\"([^\"]*)\"")
        message(FATAL_ERROR "${METAINFO}: no <release version=\"...\" date=\"...\">")
    endif()
    if(NOT CMAKE_MATCH_1 STREQUAL newest OR NOT CMAKE_MATCH_2 STREQUAL newest_date)
        message(FATAL_ERROR "${METAINFO}: the newest release is ${CMAKE_MATCH_1} of "
                            "${CMAKE_MATCH_2}, but ${INPUT} begins with ${newest} of ${newest_date}")
    endif()
endif()

string(REPLACE "${semicolon}" ";" text "${text}")
string(REPLACE "${open_bracket}" "[" text "${text}")
string(REPLACE "${close_bracket}" "]" text "${text}")
file(WRITE "${OUTPUT}" "${text}")
