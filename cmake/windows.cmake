# The Windows build's libraries, included by the top CMakeLists.txt when the
# target system is Windows (cmake/mingw-*.cmake): the core and kestrune-cli
# only, no window, no benchmarks (Google Benchmark has no mingw build).
#
# nlohmann-json and CLI11 are header-only; Debian's CMake configs for them put
# -isystem /usr/include on the include path, where glibc's headers then clash
# with mingw's. A folder in the build tree holding links to only their own
# folders serves instead. GoogleTest is built from Debian's sources.
set(KEST_CORE_ONLY ON CACHE BOOL "" FORCE)
set(KEST_BENCHMARKS OFF CACHE BOOL "" FORCE)

set(_kest_hdr ${CMAKE_BINARY_DIR}/header-only)
file(MAKE_DIRECTORY ${_kest_hdr})
foreach(_d nlohmann CLI)
  file(CREATE_LINK /usr/include/${_d} ${_kest_hdr}/${_d} SYMBOLIC)
endforeach()
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${_kest_hdr})
add_library(CLI11::CLI11 INTERFACE IMPORTED)
set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${_kest_hdr})

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# (it defines GTest::gtest and GTest::gtest_main itself)

# Linux-only sources that have no Windows counterpart: the firmware export
# (kestrune-dmi-export); the firmware readers and the file layer have their
# own *_windows.cpp.
set(KEST_LINUX_ONLY_SOURCES "/(smbios_export|firmware_memory)\\.cpp")
add_compile_options("SHELL:-include ${CMAKE_CURRENT_LIST_DIR}/mingw-posix-compat.h")
# Windows 7 and later: processor groups, GetLogicalProcessorInformationEx.
add_compile_definitions(_WIN32_WINNT=0x0601 WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE)
# mingw's GCC 12 warns falsely about std::string's own copies at -O2
# (-Wrestrict inside char_traits.h, GCC bug 105329).
add_compile_options(-Wno-restrict)
