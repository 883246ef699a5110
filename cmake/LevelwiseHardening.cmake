# Debian's hardening flags, as its own packages are built with them: stack protector, fortified
# C library calls, read-only relocations and immediate binding (position independence is the
# compiler's default there). dpkg-buildflags also maps the source folder to "." in debug
# information, so where the tree was checked out leaves no trace. The build type keeps its own
# optimisation and debug flags.
find_program(LEVELWISE_DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
function(levelwise_debian_flags out kind)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                            ${LEVELWISE_DPKG_BUILDFLAGS} --get ${kind}
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-(g|O[0-9sgz]?)$")
    set(${out} ${flags} PARENT_SCOPE)
endfunction()
levelwise_debian_flags(cppflags CPPFLAGS)
levelwise_debian_flags(cxxflags CXXFLAGS)
levelwise_debian_flags(ldflags LDFLAGS)
add_compile_options(${cppflags} ${cxxflags})
add_link_options(${ldflags})
message(STATUS "Debian's hardening flags: ${cppflags} ${cxxflags} ${ldflags}")
