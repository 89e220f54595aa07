# Read by cpack before it makes each package (CPACK_PROJECT_CONFIG_FILE). CPack stamps every file
# in the package with SOURCE_DATE_EPOCH when it is set, and dpkg-deb, which mends the -dbgsym
# package (mend-packages.cmake), does too: without it in the environment, the build's own time (see
# cmake/Reproducible.cmake) stands in, so that the packages carry no time of the day they were made.
if("$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    set(ENV{SOURCE_DATE_EPOCH} "${CPACK_POMIRO_SOURCE_DATE_EPOCH}")
endif()
