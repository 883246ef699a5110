# Checks that need another compiler, each built as a project of its own inside this build
# and run as tests of this one: the libFuzzer target (clang) and the core for aarch64.
include(ExternalProject)

option(LEVELWISE_FUZZ "Build the libFuzzer target with clang and run it as a test" OFF)
set(LEVELWISE_FUZZ_SECONDS 60 CACHE STRING "How long the fuzzing test runs")
option(LEVELWISE_CROSS_CHECK "Build the core for aarch64 and test it under qemu" OFF)

if(LEVELWISE_FUZZ)
    find_program(LEVELWISE_CLANGXX NAMES clang++-14 clang++ REQUIRED)
    set(fuzz_build ${CMAKE_BINARY_DIR}/fuzz)
    ExternalProject_Add(levelwise_fuzz
        SOURCE_DIR ${CMAKE_SOURCE_DIR}/fuzz
        BINARY_DIR ${fuzz_build}
        CMAKE_ARGS -DCMAKE_CXX_COMPILER=${LEVELWISE_CLANGXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo
        INSTALL_COMMAND ""
        BUILD_ALWAYS ON)
    add_test(NAME fuzz_run_calculation
             COMMAND ${CMAKE_SOURCE_DIR}/fuzz/run_fuzzer.sh ${fuzz_build}/fuzz_run_calculation
                     ${LEVELWISE_FUZZ_SECONDS} ${CMAKE_SOURCE_DIR}/fuzz/corpus
                     ${CMAKE_SOURCE_DIR}/fuzz/utf16.dict ${fuzz_build}/run)
endif()

if(LEVELWISE_CROSS_CHECK)
    find_program(LEVELWISE_QEMU_AARCH64 qemu-aarch64 REQUIRED)
    set(cross_build ${CMAKE_BINARY_DIR}/aarch64)
    ExternalProject_Add(levelwise_aarch64
        SOURCE_DIR ${CMAKE_SOURCE_DIR}/cross
        BINARY_DIR ${cross_build}
        CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/aarch64-linux-gnu.cmake
                   -DCMAKE_BUILD_TYPE=RelWithDebInfo
        INSTALL_COMMAND ""
        BUILD_ALWAYS ON)
    set(qemu ${LEVELWISE_QEMU_AARCH64} -L /usr/aarch64-linux-gnu)
    add_test(NAME core_tests_aarch64 COMMAND ${qemu} ${cross_build}/core_tests)

    # Verdicts of the exact reference, made here, checked by the aarch64 build.
    set(reference_file ${CMAKE_BINARY_DIR}/reference_cases.bin)
    add_test(NAME reference_cases_for_aarch64
             COMMAND make_reference_cases ${reference_file} 50000)
    add_test(NAME core_reference_aarch64
             COMMAND ${qemu} ${cross_build}/check_reference_cases ${reference_file})
    set_tests_properties(reference_cases_for_aarch64 PROPERTIES FIXTURES_SETUP aarch64_reference)
    set_tests_properties(core_reference_aarch64 PROPERTIES FIXTURES_REQUIRED aarch64_reference)
endif()
