// The file the program libraries' precompiled headers are made for (PomiroTarget.cmake).
