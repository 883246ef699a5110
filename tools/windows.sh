#!/usr/bin/env bash
# Cross-builds the Windows program with MinGW-w64 and makes its downloads, in build/windows/
# or the folder given (tools/windows.sh [FOLDER]):
#   build/windows/Levelwise.exe                      the program itself
#   build/windows/Levelwise-1.00-win64-setup.exe     the installer
#   build/windows/Levelwise-1.00-win64.zip           the portable download
#   build/windows/Levelwise-1.00-win64.msi           the Windows Installer package
#   build/windows/winget/                            the winget manifests of all three
# With LEVELWISE_SIGN_PKCS12 and LEVELWISE_SIGN_PASSWORD set (see app/windows/sign.sh), the
# program, its uninstaller, the installer and the MSI are signed.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
levelwise_require_packages "${LEVELWISE_WINDOWS_PACKAGES[@]}"

build=${1:-build/windows}
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DLEVELWISE_BUILD_TESTS=OFF -DLEVELWISE_BUILD_BENCHMARKS=OFF
if [ -n "${LEVELWISE_SIGN_PKCS12:-}" ]; then
    echo "levelwise: signing with the certificate in LEVELWISE_SIGN_PKCS12"
else
    echo "levelwise: no certificate given (LEVELWISE_SIGN_PKCS12): the downloads are unsigned"
fi
# The program is signed as it is linked: linked anew, it is signed or not as asked this time.
rm -f "$build/Levelwise.exe"
cmake --build "$build" --parallel "$(nproc)"
(cd "$build" && cpack)
app/windows/winget.sh "$build"
echo "built $build/Levelwise.exe and its downloads"
