# Settings of the Windows build (see cmake/mingw-w64-x86_64.cmake).
enable_language(RC)
# Windows 10 and later: the per-monitor DPI functions are part of the API used.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00
                        WINVER=0x0A00)
add_compile_options(-msse2 -mfpmath=sse)
# A stack protector, as on Linux: GCC's libssp, linked in statically with the rest (given at the
# link too, so that the driver adds it). ASLR with high entropy and NX are the linker's defaults.
add_compile_options(-fstack-protector-strong)
add_link_options(-fstack-protector-strong)
# Self-contained programs: no MinGW runtime DLLs beside them, only Windows' own.
add_link_options(-static -static-libgcc -static-libstdc++)
# The same sources give the same bytes: no link time in the header, and a release program
# without symbols, so the file built is the very file both downloads carry.
add_link_options(-Wl,--no-insert-timestamp $<$<CONFIG:Release>:-s>)

