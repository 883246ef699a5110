# Builds the MSI: cmake -DVERSION=a.b.c -DDISPLAY_VERSION=... -DEPOCH=S -DSTAGE=DIR -DOUTPUT=FILE
#   -DTEMPLATE=levelwise.wxs.in -DTITLE=... -DAUTHORS=... -DFILES="exe;licences;ico" -P make_msi.cmake
# The same files give the same bytes: the product code follows from the version, the package
# code from the package's contents, and the build time is fixed: SOURCE_DATE_EPOCH when the
# build is given one, otherwise EPOCH (the release day).
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
file(COPY ${FILES} DESTINATION ${STAGE})

set(LEVELWISE_TITLE ${TITLE})
set(LEVELWISE_AUTHORS ${AUTHORS})
set(LEVELWISE_DISPLAY_VERSION ${DISPLAY_VERSION})
set(MSI_VERSION ${VERSION})
# Fixed for all versions: what tells Windows Installer that a package is Levelwise.
set(MSI_UPGRADE_CODE "{7C0B3F5E-2A41-4B9D-9E60-1D8A4F2C3B10}")
set(namespace 6ba7b811-9dad-11d1-80b4-00c04fd430c8)  # RFC 4122 URL namespace
string(UUID product NAMESPACE ${namespace} NAME "levelwise.org/msi/product/${VERSION}" TYPE SHA1 UPPER)
set(MSI_PRODUCT_CODE "{${product}}")
set(size 0)
foreach(file ${FILES})
    file(SIZE ${file} bytes)
    math(EXPR size "${size} + ${bytes}")
endforeach()
math(EXPR MSI_SIZE_KIB "(${size} + 1023) / 1024")
configure_file(${TEMPLATE} ${STAGE}/levelwise.wxs @ONLY)

set(contents "")
foreach(file ${STAGE}/levelwise.wxs ${FILES})
    file(SHA256 ${file} hash)
    string(APPEND contents ${hash})
endforeach()
string(UUID package NAMESPACE ${namespace} NAME "levelwise.org/msi/package/${contents}" TYPE SHA1 UPPER)

# The build time, with the clock stopped there (-f): a clock that merely starts there would
# move on, and a slow run would stamp the next second. In UTC whatever the builder's zone, as
# the cabinet's file times are read in the zone of the tools.
if(NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    set(EPOCH $ENV{SOURCE_DATE_EPOCH})
endif()
if(NOT EPOCH MATCHES "^[0-9]+$")
    message(FATAL_ERROR "no build time: give -DEPOCH or SOURCE_DATE_EPOCH")
endif()
set(ENV{SOURCE_DATE_EPOCH} ${EPOCH})
string(TIMESTAMP time "%Y-%m-%d %H:%M:%S" UTC)
set(ENV{TZ} UTC)
# The cabinet keeps each file's time: the copies all get the build time.
file(GLOB staged ${STAGE}/*)
execute_process(COMMAND touch -d "${time}" ${staged} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND faketime -f ${time} wixl --arch x64 -o ${OUTPUT}.new levelwise.wxs
                WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE failed ERROR_VARIABLE said)
# wixl passes over attributes it does not know with only a warning; none may be passed over.
if(failed OR said MATCHES "[Ww]arning")
    message(FATAL_ERROR "wixl: ${said}")
endif()
execute_process(COMMAND faketime -f ${time} msibuild ${OUTPUT}.new
                        -s "${TITLE} ${DISPLAY_VERSION}" "${AUTHORS}" "x64;1033" "{${package}}"
                RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "msibuild could not set the summary information")
endif()
# Signed last, when a certificate is given: the signature covers everything above.
execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/sign.sh ${OUTPUT}.new COMMAND_ERROR_IS_FATAL ANY)
file(RENAME ${OUTPUT}.new ${OUTPUT})
