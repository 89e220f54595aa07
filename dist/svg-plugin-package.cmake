# POMIRO_SVG_PLUGIN_PACKAGE: the Debian package that holds the Qt SVG image plug-in this build finds
# (libqt6svg6 on Debian 12, qt6-svg-plugins on Debian 13), asked of dpkg rather than guessed from
# the release's number. A build outside dpkg's reach falls back to the package that held it first.
find_package(Qt6 REQUIRED COMPONENTS Gui Svg)
# A shared Qt does not load its plug-ins' targets by itself; the plug-in's own package file lies
# beside Qt6Gui's.
find_package(Qt6QSvgPlugin CONFIG QUIET PATHS ${Qt6Gui_DIR} NO_DEFAULT_PATH)
set(POMIRO_SVG_PLUGIN_PACKAGE libqt6svg6)
find_program(DPKG_QUERY dpkg-query)
if(TARGET Qt6::QSvgPlugin AND DPKG_QUERY)
    get_target_property(svg_plugin Qt6::QSvgPlugin LOCATION)
    file(REAL_PATH "${svg_plugin}" svg_plugin)
    execute_process(COMMAND ${DPKG_QUERY} --search "${svg_plugin}"
                    OUTPUT_VARIABLE owner RESULT_VARIABLE result ERROR_QUIET)
    # "qt6-svg-plugins:amd64: /usr/lib/x86_64-linux-gnu/qt6/plugins/imageformats/libqsvg.so"
    if(result EQUAL 0 AND owner MATCHES "^([a-z0-9][a-z0-9.+-]*)[:,]")
        set(POMIRO_SVG_PLUGIN_PACKAGE ${CMAKE_MATCH_1})
    else()
        message(STATUS "dpkg knows no package of ${svg_plugin}; the package depends on libqt6svg6")
    endif()
else()
    message(STATUS "Qt's SVG image plug-in was not found; the package depends on libqt6svg6")
endif()
message(STATUS "Qt's SVG image plug-in comes with ${POMIRO_SVG_PLUGIN_PACKAGE}")
