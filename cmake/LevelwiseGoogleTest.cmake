# GoogleTest: Debian's build where the tests run on this machine's own system, and Debian's
# source built with the cross compiler for another platform (Windows, Linux on aarch64).
if(CMAKE_CROSSCOMPILING)
    set(INSTALL_GTEST OFF)
    set(BUILD_GMOCK OFF)
    if(WIN32)
        set(gtest_disable_pthreads ON)
    endif()
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
    find_package(GTest REQUIRED)
endif()
