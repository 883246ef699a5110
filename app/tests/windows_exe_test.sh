#!/usr/bin/env bash
# Reads the built Levelwise.exe and its installer back with tools independent of their build
# (icoutils' wrestool and icotool, binutils' objdump): machine and subsystem, the program's
# imports and hardening, and each one's version block and icon.
#   windows_exe_test.sh LEVELWISE.EXE SETUP.EXE VERSION (1.0.0.0) SHOWN_VERSION (1.00)
set -euo pipefail
exe=$1 setup=$2 version=$3 shown=$4
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
status=0
pass() { echo "ok: $1"; }
fail() { echo "FAILED: $1"; status=1; }

for file in "$exe" "$setup"; do
    name=$(basename "$file")
    headers=$(x86_64-w64-mingw32-objdump -p "$file")
    grep -q 'file format pei-x86-64' <<<"$headers" &&
        pass "$name: x86-64 program" || fail "$name: not an x86-64 program"
    grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" &&
        pass "$name: GUI subsystem" || fail "$name: not a GUI program"
    [ "$file" = "$exe" ] || continue
    # Hardened: ASLR with high entropy, data not executable, and GCC's stack protector, whose
    # report the program carries.
    for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
        grep -qx "[[:space:]]*$flag" <<<"$headers" && pass "$name: $flag" || fail "$name: no $flag"
    done
    grep -qaF '*** stack smashing detected ***' "$file" && pass "$name: stack protector" ||
        fail "$name: no stack protector"
    # The program runs on a bare Windows: it imports only DLLs every Windows has.
    imports=$(grep 'DLL Name:' <<<"$headers" | awk '{print $3}' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
    echo "imports: $imports"
    for dll in $imports; do
        case $dll in
        kernel32.dll | user32.dll | gdi32.dll | msvcrt.dll | advapi32.dll | shell32.dll | ole32.dll) ;;
        *) fail "imports $dll, which Windows does not have itself" ;;
        esac
    done
done

# The version block: the fixed part's numbers, then each string with its value. The table
# names the file each row is for: program, setup, or both.
check_version() { # FILE KIND
    local file=$1 kind=$2 name
    name=$(basename "$file")
    wrestool -x --raw --type=16 "$file" >"$out/version.bin"
    fixed=$(od -An -tx4 -j "$(LC_ALL=C grep -obUaP '\xbd\x04\xef\xfe' "$out/version.bin" | cut -d: -f1)" \
            -N 24 "$out/version.bin" | tr -s ' \n' '  ' | sed 's/^ //')
    # signature, structure version, file version MS/LS, product version MS/LS: the version twice.
    local words
    words=$(IFS=. read -r a b c d <<<"$version"; printf '%04x%04x %04x%04x' "$a" "$b" "$c" "$d")
    [ "$(cut -d' ' -f3-6 <<<"$fixed")" = "$words $words" ] &&
        pass "$name: file and product version $version" ||
        fail "$name: file and product version are not $version ($fixed)"
    strings -el "$out/version.bin" >"$out/strings.txt"
    grep -qix '040904B0' "$out/strings.txt" && pass "$name: string table 040904B0" ||
        fail "$name: no string table 040904B0"
    # The translation it declares: US English (0409), Unicode (04B0 = 1200).
    LC_ALL=C grep -qaP 'T\x00r\x00a\x00n\x00s\x00l\x00a\x00t\x00i\x00o\x00n\x00\x00\x00\x00\x00\x09\x04\xb0\x04' \
        "$out/version.bin" && pass "$name: translation 0409, 1200" || fail "$name: no translation 0409, 1200"
    while IFS="=" read -r for key value; do
        [ "$for" = both ] || [ "$for" = "$kind" ] || continue
        if grep -A1 -x "$key" "$out/strings.txt" | tail -n 1 | grep -qx -- "$value"; then
            pass "$name: $key \"$value\""
        else
            fail "$name: $key is not \"$value\""
        fi
    done <<TABLE
both=FileVersion=$shown
both=ProductVersion=$shown
both=ProductName=Levelwise
both=CompanyName=The Levelwise authors
both=LegalCopyright=Copyright (c) 2026 The Levelwise authors
program=FileDescription=Levelwise
program=InternalName=Levelwise
program=OriginalFilename=Levelwise.exe
program=Comments=Correction levels of a price move for traders
setup=FileDescription=Levelwise $shown Setup
setup=OriginalFilename=Levelwise-$shown-win64-setup.exe
TABLE
}

# The icon: one group, 16 and 32 pixels, 256 colours each; the installer shows the same.
check_icon() { # FILE
    local name
    name=$(basename "$1")
    wrestool -x --type=14 "$1" >"$out/icon.ico"
    icons=$(icotool -l "$out/icon.ico")
    for side in 16 32; do
        grep -q -- "--width=$side --height=$side --bit-depth=8 --palette-size=256" <<<"$icons" &&
            pass "$name: icon ${side} x ${side}, 256 colours" ||
            fail "$name: no ${side} x ${side} icon of 256 colours"
    done
}

check_version "$exe" program
check_version "$setup" setup
check_icon "$exe"
check_icon "$setup"
exit $status
