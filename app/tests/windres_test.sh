#!/usr/bin/env bash
# Compiles the Windows resource script with the MinGW resource compiler and reads the
# version block back out of the result.
#   windres_test.sh RESOURCE_SCRIPT
set -euo pipefail
script=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# Without a MinGW C compiler on the machine, the system's own preprocessor serves.
x86_64-w64-mingw32-windres --preprocessor=cpp --preprocessor-arg=-DRC_INVOKED \
    -i "$script" -O res -o "$out/levelwise.res"
x86_64-w64-mingw32-windres -i "$out/levelwise.res" -O rc -o "$out/decompiled.rc"

status=0
expect() {
    if grep -qF -- "$1" "$out/decompiled.rc"; then echo "found: $1"; else echo "MISSING: $1"; status=1; fi
}
expect 'FILEVERSION 1, 0, 0, 0'
expect 'PRODUCTVERSION 1, 0, 0, 0'
expect 'BLOCK "040904B0"'
expect 'VALUE "FileVersion", "1.00"'
expect 'VALUE "ProductVersion", "1.00"'
expect 'VALUE "ProductName", "Levelwise"'
expect 'VALUE "InternalName", "Levelwise"'
expect 'VALUE "OriginalFilename", "Levelwise.exe"'
expect 'VALUE "CompanyName", "The Levelwise authors"'
expect 'VALUE "LegalCopyright", "Copyright (c) 2026 The Levelwise authors"'
expect 'VALUE "Comments", "Fibonacci correction levels for traders"'
expect 'VALUE "Translation", 0x409, 1200'
# Both icon images, 16 and 32 pixels, 8 bits per pixel, in the icon group.
[ "$(grep -c 'RT_ICON \*/' "$out/decompiled.rc")" -eq 2 ] && echo "found: two icon images" ||
    { echo "MISSING: two icon images"; status=1; }
exit $status
