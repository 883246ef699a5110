#!/usr/bin/env bash
# Cross-builds the Windows program with MinGW-w64 and makes its downloads:
#   build/windows/Levelwise.exe                      the program itself
#   build/windows/Levelwise-1.00-win64-setup.exe     the installer
#   build/windows/Levelwise-1.00-win64.zip           the portable download
#   build/windows/Levelwise-1.00-win64.msi           the Windows Installer package
#   build/windows/winget/                            the winget manifests of all three
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
levelwise_require_packages "${LEVELWISE_WINDOWS_PACKAGES[@]}"

build=build/windows
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DLEVELWISE_BUILD_TESTS=OFF
cmake --build "$build" --parallel "$(nproc)"
(cd "$build" && cpack)
app/windows/winget.sh "$build"
echo "built $build/Levelwise.exe and its downloads"
