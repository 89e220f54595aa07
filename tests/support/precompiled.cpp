// The file the test code's precompiled headers are made for (tests/CMakeLists.txt).
