# Our own code builds warning-free; third-party headers come in as system includes. Warnings are
# errors only where we build (CI and the developer presets): a packager's compiler may warn where
# ours does not, and that must not stop a release.
function(pomiro_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(POMIRO_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# A static library for one folder of the program, named pomiro_<folder>.
function(pomiro_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    pomiro_warnings(${name})
endfunction()
