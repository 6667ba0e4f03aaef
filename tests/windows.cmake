# The Windows build's tests, run under wine (CMAKE_CROSSCOMPILING_EMULATOR).
