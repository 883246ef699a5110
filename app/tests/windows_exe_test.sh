#!/usr/bin/env bash
# Reads the built Levelwise.exe back with tools independent of its build (icoutils'
# wrestool and icotool, binutils' objdump): machine and subsystem, imports, version block
# and icon.
#   windows_exe_test.sh LEVELWISE.EXE
set -euo pipefail
exe=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
status=0
pass() { echo "ok: $1"; }
fail() { echo "FAILED: $1"; status=1; }

headers=$(x86_64-w64-mingw32-objdump -p "$exe")
grep -q 'file format pei-x86-64' <<<"$(x86_64-w64-mingw32-objdump -f "$exe")" &&
    pass "x86-64 program" || fail "not an x86-64 program"
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" && pass "GUI subsystem" || fail "not a GUI program"
imports=$(grep 'DLL Name:' <<<"$headers" | awk '{print $3}' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
echo "imports: $imports"
for dll in $imports; do
    case $dll in
    kernel32.dll | user32.dll | gdi32.dll | msvcrt.dll | advapi32.dll | shell32.dll) ;;
    *) fail "imports $dll, which Windows does not have itself" ;;
    esac
done

# The version block: the fixed part's numbers, then each string with its value.
wrestool -x --raw --type=16 "$exe" >"$out/version.bin"
fixed=$(od -An -tx4 -j "$(LC_ALL=C grep -obUaP '\xbd\x04\xef\xfe' "$out/version.bin" | cut -d: -f1)" \
        -N 24 "$out/version.bin" | tr -s ' \n' '  ' | sed 's/^ //')
echo "fixed file info: $fixed"
# signature, structure version, file version MS/LS, product version MS/LS: 1.0.0.0 twice.
[ "$(cut -d' ' -f3-6 <<<"$fixed")" = "00010000 00000000 00010000 00000000" ] &&
    pass "file and product version 1.0.0.0" || fail "file and product version are not 1.0.0.0"
strings -el "$out/version.bin" >"$out/strings.txt"
grep -qx '040904B0' "$out/strings.txt" && pass "string table 040904B0" || fail "no string table 040904B0"
while IFS='=' read -r key value; do
    if grep -A1 -x "$key" "$out/strings.txt" | tail -n 1 | grep -qx -- "$value"; then
        pass "$key \"$value\""
    else
        fail "$key is not \"$value\""
    fi
done <<'TABLE'
FileVersion=1.00
ProductVersion=1.00
ProductName=Levelwise
InternalName=Levelwise
OriginalFilename=Levelwise.exe
CompanyName=.\+
LegalCopyright=.\+
Comments=.\+
TABLE

# The icon: one group, 16 and 32 pixels, 256 colours each.
wrestool -x --type=14 "$exe" >"$out/icon.ico"
icons=$(icotool -l "$out/icon.ico")
echo "$icons"
for side in 16 32; do
    grep -q -- "--width=$side --height=$side --bit-depth=8 --palette-size=256" <<<"$icons" &&
        pass "icon ${side} x ${side}, 256 colours" || fail "no ${side} x ${side} icon of 256 colours"
done
exit $status
