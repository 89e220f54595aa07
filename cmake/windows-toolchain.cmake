# Cross-building for 64-bit Windows with Debian's mingw-w64 (the posix threads flavour, which
# C++ threads and Qt need). Used for Qt itself (scripts/build-qt-windows.sh) and for the program
# (preset "windows").
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(POMIRO_MINGW_TRIPLE x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${POMIRO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${POMIRO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${POMIRO_MINGW_TRIPLE}-windres)

# Libraries and headers of the target only from the mingw root (and the Qt built for it, which
# Qt's own toolchain file adds when it loads this one); programs such as moc from the build
# machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${POMIRO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Wine runs what the tests build (CTest's emulator).
find_program(POMIRO_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(POMIRO_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${POMIRO_WINE})
endif()
