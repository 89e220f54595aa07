# Our own code builds warning-free; third-party headers come in as system includes. Warnings are
# errors only where we build (CI and the developer presets): a packager's compiler may warn where
# ours does not, and that must not stop a release.
function(pomiro_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(POMIRO_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# With POMIRO_PCH, the Qt and standard headers that most of our files include are parsed once per
# kind of library: window-free (QtCore alone, as core/ must stay) and windowed (Qt Widgets). GCC
# takes a parsed header only where the macros it was made with (Qt's module macros) are defined
# the same way and the flags match; CMake's -Winvalid-pch makes any other case an error under
# POMIRO_WERROR, so a library that uses the wrong kind fails to build rather than compiling slowly.
# The presets turn it on; a packager's build goes without unless asked. A header that a file
# forgets to include is hidden by the parsed ones, so the plain release build of
# scripts/check-debian13.sh is what finds it.
option(POMIRO_PCH "Precompile the Qt headers of the program's libraries" OFF)
if(POMIRO_PCH)
    # With the parsed headers, two release builds of one commit in two folders gave one object
    # whose variable locations in the debug information (.debug_loclists) differed, so the -dbgsym
    # package did too; without GCC's tracking of assignments for those locations they come out the
    # same (scripts/check-reproducible.sh). A debugger finds an optimised variable's place a little
    # less often; the builds of Debug and RelWithDebInfo keep it.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        add_compile_options("$<$<NOT:$<CONFIG:Debug,RelWithDebInfo>>:-fno-var-tracking-assignments>")
    endif()
    set(pomiro_window_free_headers
        <QByteArray> <QDate> <QDir> <QFileInfo> <QList> <QString> <QStringList>
        <algorithm> <array> <optional> <string> <vector>)
    add_library(pomiro_window_free_headers OBJECT ${CMAKE_CURRENT_LIST_DIR}/precompiled.cpp)
    target_link_libraries(pomiro_window_free_headers PRIVATE Qt6::Core)
    target_precompile_headers(pomiro_window_free_headers PRIVATE ${pomiro_window_free_headers})

    add_library(pomiro_windowed_headers OBJECT ${CMAKE_CURRENT_LIST_DIR}/precompiled.cpp)
    target_link_libraries(pomiro_windowed_headers PRIVATE Qt6::Widgets)
    target_precompile_headers(pomiro_windowed_headers PRIVATE ${pomiro_window_free_headers}
        <QAbstractTableModel> <QAccessibleWidget> <QApplication> <QComboBox> <QFontMetricsF>
        <QHeaderView> <QKeyEvent> <QLabel> <QLineEdit> <QPainter> <QPdfWriter> <QPushButton>
        <QTableView> <QWidget> <functional>)
    pomiro_warnings(pomiro_window_free_headers)
    pomiro_warnings(pomiro_windowed_headers)
endif()

# A static library for one folder of the program, named pomiro_<folder>. WINDOW_FREE: it links
# nothing above QtCore.
function(pomiro_library name)
    cmake_parse_arguments(ARG "WINDOW_FREE" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    pomiro_warnings(${name})
    if(POMIRO_PCH)
        if(ARG_WINDOW_FREE)
            target_precompile_headers(${name} REUSE_FROM pomiro_window_free_headers)
        else()
            target_precompile_headers(${name} REUSE_FROM pomiro_windowed_headers)
        endif()
    endif()
endfunction()
