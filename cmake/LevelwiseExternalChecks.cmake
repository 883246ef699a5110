# Checks that need another compiler, each a build of this same source tree in a folder of its
# own inside this build, run as tests of this one: the libFuzzer target (clang), the core for
# aarch64 under qemu, the Windows program (MinGW-w64) under Wine, and the web app (clang 22
# for WebAssembly) under node and in Chromium, Firefox and WebKit.
include(ExternalProject)

# Installing and packaging take this build as it stands. By default they build "all" first,
# and that runs every sub-build below again (BUILD_ALWAYS): the site would be deleted and
# written anew, the Windows downloads remade, while the browser and Wine tests read them.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

option(LEVELWISE_FUZZ "Build the libFuzzer target with clang and run it as a test" OFF)
set(LEVELWISE_FUZZ_SECONDS 60 CACHE STRING "How long the fuzzing test runs")
option(LEVELWISE_CROSS_CHECK "Build the core for aarch64 and test it under qemu" OFF)
option(LEVELWISE_WINDOWS_CHECK "Build the Windows program and test it under Wine" OFF)
option(LEVELWISE_WEB_CHECK "Build the web app and test it under node and in browsers" OFF)

# A build step of a project of its own. Under make it is $(MAKE), which hands the sub-build a
# share of the outer build's jobs; a plain "cmake --build" would run it one job at a time.
if(CMAKE_GENERATOR MATCHES "Makefiles")
    set(levelwise_sub_build "$(MAKE)")
else()
    set(levelwise_sub_build ${CMAKE_COMMAND} --build <BINARY_DIR> --target)
endif()

# Verdicts of the exact reference, made here, checked by the builds for other platforms.
if(LEVELWISE_CROSS_CHECK OR LEVELWISE_WINDOWS_CHECK)
    set(reference_file ${CMAKE_BINARY_DIR}/reference_cases.bin)
    add_test(NAME reference_cases COMMAND make_reference_cases ${reference_file} 50000)
    set_tests_properties(reference_cases PROPERTIES FIXTURES_SETUP reference_cases)
endif()

if(LEVELWISE_FUZZ)
    find_program(LEVELWISE_CLANGXX NAMES clang++-22 REQUIRED)
    set(fuzz_build ${CMAKE_BINARY_DIR}/fuzzing)
    ExternalProject_Add(levelwise_fuzz
        SOURCE_DIR ${CMAKE_SOURCE_DIR}
        BINARY_DIR ${fuzz_build}
        CMAKE_ARGS -DCMAKE_CXX_COMPILER=${LEVELWISE_CLANGXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo
                   -DLEVELWISE_FUZZER=ON
        INSTALL_COMMAND ""
        BUILD_ALWAYS ON)
    add_test(NAME fuzz_run_calculation
             COMMAND ${CMAKE_SOURCE_DIR}/fuzz/run_fuzzer.sh ${fuzz_build}/fuzz/fuzz_run_calculation
                     ${LEVELWISE_FUZZ_SECONDS} ${CMAKE_SOURCE_DIR}/fuzz/corpus
                     ${CMAKE_SOURCE_DIR}/fuzz/utf16.dict ${fuzz_build}/run)
endif()

if(LEVELWISE_CROSS_CHECK)
    # This tree for aarch64; its own tests run under qemu (the toolchain's emulator), each
    # reported here as one test of this build.
    set(cross_build ${CMAKE_BINARY_DIR}/linux-aarch64)
    ExternalProject_Add(levelwise_aarch64
        SOURCE_DIR ${CMAKE_SOURCE_DIR}
        BINARY_DIR ${cross_build}
        CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/aarch64-linux-gnu.cmake
                   -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLEVELWISE_BUILD_BENCHMARKS=OFF
                   -DLEVELWISE_REFERENCE_CASES=${reference_file}
        INSTALL_COMMAND ""
        BUILD_ALWAYS ON)
    foreach(test core_tests form_tests core_reference)
        add_test(NAME ${test}_aarch64 COMMAND ${CMAKE_CTEST_COMMAND} --test-dir ${cross_build}
                 --output-on-failure --no-tests=error -R ^${test}$)
    endforeach()
    set_tests_properties(core_reference_aarch64 PROPERTIES FIXTURES_REQUIRED reference_cases)
endif()

if(LEVELWISE_WINDOWS_CHECK)
    # The Windows build is signed as a release is, with a certificate of a throwaway authority,
    # dated the release day so that signing gives the same bytes each time.
    set(release_epoch ${LEVELWISE_RELEASE_EPOCH})
    set(signing ${CMAKE_BINARY_DIR}/signing)
    if(NOT EXISTS ${signing}/signer.p12)
        execute_process(COMMAND ${CMAKE_SOURCE_DIR}/app/tests/make_signing_certificate.sh ${signing}
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()
    set(signed ${CMAKE_COMMAND} -E env LEVELWISE_SIGN_PKCS12=${signing}/signer.p12
                                       LEVELWISE_SIGN_PASSWORD=${signing}/password
                                       SOURCE_DATE_EPOCH=${release_epoch})
    set(windows_build ${CMAKE_BINARY_DIR}/windows)
    ExternalProject_Add(levelwise_windows
        SOURCE_DIR ${CMAKE_SOURCE_DIR}
        BINARY_DIR ${windows_build}
        CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake
                   -DCMAKE_BUILD_TYPE=Release -DLEVELWISE_BUILD_TESTS=ON
        # The program, its tests and the MSI, then the installer and the portable zip, then
        # the winget manifests of all three.
        BUILD_COMMAND ${signed} ${levelwise_sub_build} all
              COMMAND ${signed} ${levelwise_sub_build} package
              COMMAND ${CMAKE_SOURCE_DIR}/app/windows/winget.sh <BINARY_DIR>
        INSTALL_COMMAND ""
        BUILD_ALWAYS ON)
    set(exe ${windows_build}/Levelwise.exe)
    add_test(NAME winget_manifests COMMAND /usr/bin/python3
             ${CMAKE_SOURCE_DIR}/app/tests/winget_test.py ${windows_build})
    add_test(NAME windows_executable
             COMMAND ${CMAKE_SOURCE_DIR}/app/tests/windows_exe_test.sh ${exe}
                     ${windows_build}/Levelwise-${LEVELWISE_DISPLAY_VERSION}-win64-setup.exe
                     ${PROJECT_VERSION} ${LEVELWISE_DISPLAY_VERSION})

    # One Wine prefix, X server and wineserver for all the checks under Wine.
    set(session ${CMAKE_SOURCE_DIR}/tests/wine/session.sh)
    set(wine_dir ${CMAKE_BINARY_DIR}/wine)
    add_test(NAME wine_session_start COMMAND ${session} start ${wine_dir})
    add_test(NAME wine_session_stop COMMAND ${session} stop ${wine_dir})
    set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 180)
    set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine)
    add_test(NAME core_tests_windows COMMAND ${session} run ${wine_dir}
             ${windows_build}/core/tests/core_tests.exe)
    add_test(NAME form_tests_windows COMMAND ${session} run ${wine_dir}
             ${windows_build}/ui/form/tests/form_tests.exe)
    add_test(NAME core_reference_windows COMMAND ${session} run ${wine_dir}
             ${windows_build}/core/tests/check_reference_cases.exe Z:${reference_file})
    add_test(NAME window_windows COMMAND ${session} run ${wine_dir}
             ${windows_build}/ui/win32/tests/window_test.exe Z:${exe})
    # The window again on a dense screen, and under regional settings with a decimal comma,
    # with apostrophe and space groups and with groups of two above the first three.
    add_test(NAME window_windows_144dpi COMMAND ${session} run ${wine_dir}
             ${windows_build}/ui/win32/tests/window_test.exe Z:${exe} dpi=144)
    set_tests_properties(window_windows_144dpi PROPERTIES ENVIRONMENT LEVELWISE_WINE_DPI=144)
    foreach(settings hu-HU:hu_HU de-CH:de_CH fr-FR:fr_FR en-IN:en_IN)
        string(REPLACE ":" ";" settings ${settings})
        list(GET settings 0 name)
        list(GET settings 1 locale)
        add_test(NAME window_windows_${locale} COMMAND ${session} run ${wine_dir}
                 ${windows_build}/ui/win32/tests/window_test.exe Z:${exe} settings=${name})
        set_tests_properties(window_windows_${locale} PROPERTIES ENVIRONMENT LC_ALL=${locale}.UTF-8)
    endforeach()
    add_test(NAME windows_downloads
             COMMAND ${CMAKE_SOURCE_DIR}/app/tests/windows_installer_test.sh ${wine_dir}
                     ${windows_build} ${signing})
    set_tests_properties(core_tests_windows form_tests_windows core_reference_windows window_windows
                         window_windows_144dpi window_windows_hu_HU window_windows_de_CH window_windows_fr_FR
                         window_windows_en_IN windows_downloads
                         PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine TIMEOUT 300)
    set_tests_properties(windows_downloads PROPERTIES ENVIRONMENT SOURCE_DATE_EPOCH=${release_epoch})
    set_tests_properties(core_reference_windows PROPERTIES FIXTURES_REQUIRED "wine;reference_cases")
endif()

if(LEVELWISE_WEB_CHECK)
    find_program(LEVELWISE_NODE node REQUIRED)
    set(web_build ${CMAKE_BINARY_DIR}/web-wasm)
    set(site ${CMAKE_BINARY_DIR}/web)
    ExternalProject_Add(levelwise_web
        SOURCE_DIR ${CMAKE_SOURCE_DIR}
        BINARY_DIR ${web_build}
        CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/wasm32-wasi.cmake
                   -DCMAKE_BUILD_TYPE=Release -DLEVELWISE_BUILD_TESTS=OFF -DLEVELWISE_BUILD_BENCHMARKS=OFF
        BUILD_COMMAND ${levelwise_sub_build} all
              COMMAND ${LEVELWISE_NODE} --no-warnings ${CMAKE_SOURCE_DIR}/app/web/build_site.mjs
                      <BINARY_DIR> ${site}
        INSTALL_COMMAND ""
        BUILD_ALWAYS ON)
    add_test(NAME web_calculator_matches_native
             COMMAND ${LEVELWISE_NODE} ${CMAKE_SOURCE_DIR}/ui/web/tests/calculator_check.mjs
                     $<TARGET_FILE:make_web_cases> ${site})
    foreach(browser chromium firefox webkit)
        add_test(NAME web_page_${browser}
                 COMMAND ${LEVELWISE_NODE} --no-warnings ${CMAKE_SOURCE_DIR}/ui/web/tests/page_test.mjs
                         ${browser} ${site} $<TARGET_FILE:make_web_cases>
                         ${CMAKE_BINARY_DIR}/web-node)
        set_tests_properties(web_page_${browser} PROPERTIES RESOURCE_LOCK browser TIMEOUT 480)
    endforeach()
endif()

if(LEVELWISE_WINDOWS_CHECK AND LEVELWISE_WEB_CHECK)
    # The release set, built as tools/release.sh builds it (its own folders, the commit's time),
    # then read back as whoever vets it would: digests, and each download's bill of materials
    # through the CycloneDX library's strict validator. .ci/run builds it again elsewhere and
    # compares the two.
    set(release_set ${CMAKE_BINARY_DIR}/release-set)
    add_test(NAME release_set_build COMMAND ${CMAKE_SOURCE_DIR}/tools/release.sh ${release_set})
    set_tests_properties(release_set_build PROPERTIES FIXTURES_SETUP release_set TIMEOUT 900)
    add_test(NAME release_set COMMAND ${LEVELWISE_NODE} --no-warnings
             ${CMAKE_SOURCE_DIR}/app/tests/release_set_test.mjs ${release_set}
             ${CMAKE_BINARY_DIR}/web-node ${LEVELWISE_DISPLAY_VERSION})
    set_tests_properties(release_set PROPERTIES FIXTURES_REQUIRED release_set)
endif()
