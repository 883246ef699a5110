# WebAssembly for the web app (WASI preview 1 as its system interface, which the page stands
# in for), with Debian's clang 22, its wasm32 libc++ and wasi-libc.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
find_program(LEVELWISE_WASM_CLANGXX clang++-22 REQUIRED)
set(CMAKE_CXX_COMPILER ${LEVELWISE_WASM_CLANGXX})
# Debian's wasm32 libraries sit under the older name of the target.
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
# No exceptions in the core's paths; leaving their support out keeps the module small.
# WebAssembly has round-to-nearest only, so the core's -frounding-math has nothing to keep.
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions -Wno-deprecated -Wno-unsupported-floating-point-opt")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--gc-sections")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-Wl,--strip-all")
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
