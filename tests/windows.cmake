# The Windows build's tests, run under wine (CMAKE_CROSSCOMPILING_EMULATOR):
# the core's suites without the sources that read Linux files or use POSIX
# calls, the Windows side of the seams, and the byte comparison of
# kestrune-cli.exe with the Linux kestrune-cli. One CTest test per program:
# each wine start costs more than most tests. A program exits with 77 (a
# skip) when wine cannot start.

# kest_windows_test(NAME DIR EXCLUDE_REGEX LIBS...)
function(kest_windows_test name dir exclude)
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
  if(exclude)
    list(FILTER _src EXCLUDE REGEX "${exclude}")
  endif()
  add_executable(${name} ${_src})
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
endfunction()

set(_dmi_dirs "${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus/dmi_dump|${CMAKE_CURRENT_SOURCE_DIR}/dmi/fixtures|${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus/dmi_dump_minimised|${CMAKE_SOURCE_DIR}/../shared/dmi-fixtures")

kest_windows_test(test_cpu cpu "/test_(clock|topology|file_io)\\.cpp$" kest_cpu)
target_compile_definitions(test_cpu PRIVATE KEST_DUMP_DIRS="${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus/cpuid_dump|${CMAKE_CURRENT_SOURCE_DIR}/corpus|${CMAKE_SOURCE_DIR}/../shared/cpuid-dumps|${CMAKE_SOURCE_DIR}/../shared/cpuid-dumps/later")
kest_windows_test(test_ident ident "" kest_ident)
kest_windows_test(test_dmi dmi "/(firmware_memory|smbios_export)_test\\.cpp$" kest_dmi)
target_compile_definitions(test_dmi PRIVATE KEST_DMI_DUMP_DIRS="${_dmi_dirs}")
kest_windows_test(test_bench bench "/test_kernels\\.cpp$" kest_bench)
kest_windows_test(test_record record "" kest_record)
kest_windows_test(test_view view "" kest_view)
target_compile_definitions(test_view PRIVATE KEST_CORPUS_DIR="${CMAKE_CURRENT_SOURCE_DIR}/corpus")
kest_windows_test(test_report report "/(database|database_read|file_io)_test\\.cpp$" kest_report)
target_compile_definitions(test_report PRIVATE KEST_REPORT_GOLDEN_DIR="${CMAKE_CURRENT_SOURCE_DIR}/report/golden")

add_executable(test_corpus corpus/corpus_test.cpp)
target_link_libraries(test_corpus PRIVATE kest_ident nlohmann_json::nlohmann_json GTest::gtest GTest::gtest_main)
target_include_directories(test_corpus PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(test_corpus PRIVATE KEST_CORPUS_DIR="${CMAKE_CURRENT_SOURCE_DIR}/corpus")
add_test(NAME test_corpus COMMAND test_corpus)
set_tests_properties(test_corpus PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)

# The Windows side of the seams: live machine, topology and firmware table,
# wide file names, refused and failed writes.
kest_windows_test(test_windows windows "" kest_report kest_dmi kest_cpu)
target_compile_definitions(test_windows PRIVATE KEST_DMI_DUMP_DIRS="${_dmi_dirs}"
                           KEST_CORPUS_DIR="${CMAKE_CURRENT_SOURCE_DIR}/corpus")

# kestrune-cli.exe against the Linux build's kestrune-cli (KEST_LINUX_CLI,
# by default the one the README's test command builds in build/).
set(KEST_LINUX_CLI "${CMAKE_SOURCE_DIR}/build/kestrune-cli" CACHE FILEPATH "The Linux kestrune-cli to compare with")
add_test(NAME same_bytes_as_linux
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/windows/same_bytes.sh ${KEST_LINUX_CLI}
                 ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh ${CMAKE_BINARY_DIR}/wineprefix $<TARGET_FILE:kestrune-cli>)
set_tests_properties(same_bytes_as_linux PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 900)
