#!/usr/bin/env bash
# The Windows downloads as a user gets them, in the Wine session: their signatures, the
# portable zip's contents, then a silent install over an older setup (files, Start-menu
# shortcut, installed-apps entry), the installed program started, and a silent uninstall that
# leaves the prefix as it found it; then the same for the MSI, with an upgrade and a refused
# downgrade, and each package refusing to install where the other did.
#   windows_installer_test.sh SESSION_DIR WINDOWS_BUILD_DIR SIGNING_DIR
# SIGNING_DIR holds the authority (ca.pem) and the password of the certificate the build was
# signed with (see make_signing_certificate.sh).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
session="$here/../../tests/wine/session.sh"
dir=$(realpath "$1") build=$(realpath "$2") signing=$(realpath "$3")
# The files and version of this build, as its packaging names them: a download left in the
# folder by a build of another version is not the one tested.
cpack_value() { sed -n "s/^set($1 \"\(.*\)\")\$/\1/p" "$build/CPackConfig.cmake"; }
version=$(cpack_value CPACK_PACKAGE_VERSION) package=$(cpack_value CPACK_PACKAGE_FILE_NAME)
setup=$build/$package-setup.exe zip=$build/$package.zip
# The zip is copied into place only when its bytes change, so it is weighed by what it holds.
[ -f "$setup" ] && [ ! "$build/Levelwise.exe" -nt "$setup" ] ||
    { echo "FAILED: $setup is missing or older than the program it should hold"; exit 1; }
[ -f "$zip" ] && unzip -p "$zip" Levelwise.exe | cmp -s - "$build/Levelwise.exe" ||
    { echo "FAILED: $zip is missing or holds another program"; exit 1; }
export WINEPREFIX=$dir/prefix DISPLAY
DISPLAY=$(cat "$dir/display")
drive=$WINEPREFIX/drive_c
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
status=0
pass() { echo "ok: $1"; }
fail() { echo "FAILED: $1"; status=1; }
wine() { "$session" run "$dir" "$@" </dev/null 2>>"$out/wine.log"; }

uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Levelwise'
# What the installer writes: a path under drive C (a file, or a folder with a trailing /), or
# a registry key; each must be absent before the install and after the uninstall.
written=(
    "Program Files/Levelwise/Levelwise.exe"
    "Program Files/Levelwise/LICENSE.txt"
    "Program Files/Levelwise/THIRD-PARTY-LICENSES.txt"
    "Program Files/Levelwise/Uninstall.exe"
    "Program Files/Levelwise/"
    "ProgramData/Microsoft/Windows/Start Menu/Programs/Levelwise.lnk"
    "$uninstall_key"
    'HKLM\Software\The Levelwise authors'
)
present() {
    case $1 in
    HK*) wine reg query "$1" >/dev/null ;;
    */) [ -d "$drive/$1" ] ;;
    *) [ -f "$drive/$1" ] ;;
    esac
}
# A value of the installed-apps entry, of the given registry type (any by default).
uninstall_value() { # NAME [TYPE]
    wine reg query "$uninstall_key" /v "$1" | tr -d '\r' |
        sed -n "s/^ *$1 *${2:-REG_[A-Z_]*} *//p"
}
snapshot() {
    (cd "$drive" && find . -path ./windows -prune -o -print | sort) >"$out/files.$1"
    wine regedit /E "Z:$out/software.$1.reg" 'HKEY_LOCAL_MACHINE\Software'
    wine regedit /E "Z:$out/user.$1.reg" 'HKEY_CURRENT_USER\Software'
}

# The setup's licence page shows the program's licence (CPack shows a placeholder otherwise).
[ "$(cpack_value CPACK_RESOURCE_FILE_LICENSE)" = "$build/app/windows/LICENSE.txt" ] &&
    pass "the setup's licence page: LICENSE.txt" || fail "the setup's licence page is not LICENSE.txt"

# The portable zip: the program, its read-me and the licences, nothing else, no folder level.
listing=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
[ "$listing" = "LICENSE.txt Levelwise.exe README.txt THIRD-PARTY-LICENSES.txt " ] &&
    pass "zip holds $listing" || fail "zip holds: $listing"
# The licences: ours, and those of the runtime libraries linked into the program.
unzip -p "$zip" LICENSE.txt | grep -q 'Copyright (c) 2026 The Levelwise authors' &&
    pass "LICENSE.txt: the MIT licence and its copyright line" || fail "LICENSE.txt"
unzip -p "$zip" THIRD-PARTY-LICENSES.txt >"$out/third-party.txt"
for text in 'ZPL-2.1' 'mingw-w64-libraries/winpthreads' 'GCC RUNTIME LIBRARY EXCEPTION' \
        'GNU GENERAL PUBLIC LICENSE'; do
    grep -qF "$text" "$out/third-party.txt" && pass "THIRD-PARTY-LICENSES.txt: $text" ||
        fail "THIRD-PARTY-LICENSES.txt lacks $text"
done
unzip -p "$zip" README.txt >"$out/README.txt"
head -c 3 "$out/README.txt" | cmp -s - <(printf '\xef\xbb\xbf') && grep -q $'\r$' "$out/README.txt" &&
    pass "read-me in UTF-8 with a byte-order mark and CRLF lines" || fail "read-me encoding"
for heading in Magyarul English; do
    grep -q "^$heading" "$out/README.txt" && pass "read-me: $heading" || fail "read-me lacks $heading"
done
unzip -p "$zip" Levelwise.exe >"$out/portable.exe"

# Each signed file verifies against the authority, and stops verifying once a byte in its
# middle is changed.
signed() { # NAME FILE
    if osslsigncode verify -CAfile "$signing/ca.pem" -in "$2" >"$out/verify.log" 2>&1; then
        pass "$1: signature verified"
    else
        fail "$1: signature not verified"; cat "$out/verify.log"
    fi
    python3 -c 'import sys; b = bytearray(open(sys.argv[1], "rb").read()); b[len(b) // 2] ^= 1
open(sys.argv[2], "wb").write(b)' "$2" "$out/changed"
    if osslsigncode verify -CAfile "$signing/ca.pem" -in "$out/changed" >/dev/null 2>&1; then
        fail "$1: still verified with a byte changed"
    else
        pass "$1: refused with a byte changed"
    fi
}
signed "the zip's Levelwise.exe" "$out/portable.exe"
signed "the setup" "$setup"
signed "the MSI" "$build/$package.msi"
# The certificate and its password are read where they are; the build keeps no copy of them.
if grep -rqF "$(cat "$signing/password")" "$build"; then
    fail "the signing password is in the build tree"
else
    pass "no signing password in the build tree"
fi
keys=$(find "$build" \( -iname '*.p12' -o -iname '*.pfx' \) -printf '%P ')
[ -z "$keys" ] && pass "no certificate file in the build tree" || fail "certificate files in the build tree: $keys"

# The first visible window titled TITLE (a pattern), other than EXCEPT, within 60 s. A search
# fails now and then with BadWindow when a window goes while it is read; it is asked again.
find_window() { # TITLE [EXCEPT]
    local found
    for _ in $(seq 600); do
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -vx "${2:-none}" | head -n 1 || true)
        [ -n "$found" ] && { echo "$found"; return 0; }
        sleep 0.1
    done
    return 1
}

# The installer speaks the user's language: its title under each locale, then cancelled.
# The window is sought by its whole title: while the installer starts, windows come and go,
# and one found by a part of its name may be gone before its title is read.
while IFS='=' read -r locale title; do
    LC_ALL=$locale "$session" run "$dir" "$setup" </dev/null >/dev/null 2>&1 &
    installer=$!
    if window=$(find_window "^$title\$"); then
        pass "$locale: \"$title\""
    else
        shown=$(for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
                    xdotool getwindowname "$w" 2>/dev/null; done | paste -sd '|')
        fail "$locale: no window titled \"$title\" (shown: $shown)"
    fi
    # Escape asks whether to quit, in a box of its own under the same title; Enter says yes.
    question=
    if xdotool windowfocus --sync "$window" key Escape 2>/dev/null; then
        question=$(find_window "^$title\$" "$window") || true
    fi
    [ -n "$question" ] && xdotool windowfocus --sync "$question" key Return 2>/dev/null ||
        fail "$locale: Escape did not ask whether to quit"
    timeout 60 tail --pid="$installer" -f /dev/null || { fail "$locale: the installer did not quit"; kill "$installer"; }
done <<'TABLE'
hu_HU.UTF-8=Levelwise Telepítő
de_DE.UTF-8=Installation von Levelwise
en_US.UTF-8=Levelwise Setup
TABLE

for path in "${written[@]}"; do
    present "$path" && fail "present before the install: $path"
done
snapshot before

# An older setup of the same program, made as the build makes the setup, but numbered 0.90.
cpack -G NSIS --config "$build/CPackConfig.cmake" -B "$out/older" -D CPACK_PACKAGE_VERSION=0.90 \
    -D CPACK_PACKAGE_FILE_NAME=Levelwise-0.90-win64 >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log"; fail "no older setup made"; }
wine "$out/older/Levelwise-0.90-win64-setup.exe" /S && [ "$(uninstall_value DisplayVersion)" = 0.90 ] &&
    pass "setup 0.90 installed" || fail "setup 0.90 did not install"
# The Start menu as setups up to 1.00 laid it out: a folder of the user's choice, recorded in
# the registry, with the program's and the uninstaller's shortcuts.
programs="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs"
cp "$(find "$drive" -path '*/Start Menu/*' -iname 'Levelwise.lnk' | head -n 1)" "$out/shortcut.lnk"
mkdir -p "$programs/Levelwise"
cp "$out/shortcut.lnk" "$programs/Levelwise/Levelwise.lnk"
cp "$out/shortcut.lnk" "$programs/Levelwise/Uninstall.lnk"
wine reg add 'HKLM\Software\The Levelwise authors\Levelwise' /v 'Start Menu Folder' /d Levelwise /f >/dev/null
wine "$setup" /S && pass "silent install over 0.90" || fail "silent install exited with $?"
uninstall_list() { wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s; }
entries_in() { tr -d '\r' | grep -c 'DisplayName *REG_SZ *Levelwise$'; }
levelwise_entries() { uninstall_list | entries_in; }
# The entries counted from one listing, in $entries, and what that listing was, in $queried: a
# wrong count is reported as counted, since a query asked again could answer otherwise.
count_entries() {
    local listing status=0
    listing=$(uninstall_list) || status=$?
    entries=$(entries_in <<<"$listing" || true)
    queried="reg query: status $status, ${#listing} characters"
}
one_entry() { # WHAT: still one installed-apps entry
    count_entries
    [ "$entries" = 1 ] && pass "$1: one installed-apps entry" ||
        fail "$1: $entries installed-apps entries ($queried; asked again: $(levelwise_entries))"
}
installed="$drive/Program Files/Levelwise/Levelwise.exe"
# After an upgrade (PREFIX names the package): one installed-apps entry and one shortcut, none
# left by the old version; the shortcut starts the installed program, the zip's to the byte.
# (Wine puts a per-machine MSI's shortcut in the user's Start menu; Windows in everyone's.)
# Both packages lay out the Start menu alike: one shortcut Levelwise straight in Programs, no
# folder and no uninstall shortcut.
upgraded() { # PREFIX
    local shortcuts others
    shortcuts=$(find "$drive" -path '*/Start Menu/*' -iname 'Levelwise*.lnk')
    others=$(find "$drive" -path '*/Start Menu/*' \( -iname 'Uninstall*.lnk' -o -type d -iname 'Levelwise*' \))
    count_entries
    [ "$entries" = 1 ] && [ "$(grep -c . <<<"$shortcuts")" = 1 ] &&
        [[ $shortcuts == */Start\ Menu/Programs/Levelwise.lnk ]] && [ -z "$others" ] &&
        pass "${1}one installed-apps entry and one shortcut, Programs/Levelwise.lnk, after the upgrade" ||
        fail "${1}$entries installed-apps entries ($queried), shortcuts $shortcuts and $others after the upgrade"
    { strings -a -el "$shortcuts"; strings -a "$shortcuts"; } 2>/dev/null |
        grep -qi 'Program Files\\Levelwise\\Levelwise.exe' && pass "${1}the shortcut starts the installed program" ||
        fail "${1}the shortcut does not lead to Levelwise.exe"
    cmp -s "$installed" "$out/portable.exe" && pass "${1}installed program is byte-identical to the zip's" ||
        fail "${1}installed program differs from the zip's"
}
upgraded ""
for path in "${written[@]}"; do
    present "$path" && pass "installed: $path" || fail "not installed: $path"
done
# The installed-apps entry against the NAME=VALUE lines read in, and those every package
# writes; PREFIX names the package.
uninstall_values() { # PREFIX
    while IFS='=' read -r name value; do
        actual=$(uninstall_value "$name")
        [ "$actual" = "$value" ] && pass "$1$name = $value" || fail "$1$name is \"$actual\", not \"$value\""
    done < <(cat; printf '%s\n' DisplayName=Levelwise 'Publisher=The Levelwise authors' NoModify=0x1 NoRepair=0x1)
}
uninstall_values "" <<TABLE
DisplayVersion=$version
DisplayIcon=C:\Program Files\Levelwise\Levelwise.exe
UninstallString="C:\Program Files\Levelwise\Uninstall.exe"
TABLE
# The size shown in the installed apps, in KiB: the program's, the licences' and the
# uninstaller's.
size=$(uninstall_value EstimatedSize REG_DWORD)
files_kib=$(( $(du -cb "$build/Levelwise.exe" "$build"/app/windows/*LICENSE*.txt | tail -n 1 | cut -f1) / 1024 ))
[ -n "$size" ] && [ $((size)) -ge "$files_kib" ] && [ $((size)) -le $((files_kib + 200)) ] &&
    pass "EstimatedSize = $((size)) KiB" || fail "EstimatedSize is \"$size\", not about $files_kib KiB"
signed "the installed Uninstall.exe" "$drive/Program Files/Levelwise/Uninstall.exe"

# The installed program starts and shows its window; closing it ends the program.
"$session" run "$dir" 'C:\Program Files\Levelwise\Levelwise.exe' </dev/null >/dev/null 2>&1 &
program=$!
if window=$(find_window '^Levelwise$'); then
    pass "the installed program shows its window ($(xdotool getwindowgeometry "$window" | tail -n 1 | xargs))"
    xdotool windowfocus --sync "$window" key alt+F4
else
    fail "no window of the installed program"
    kill "$program" 2>/dev/null || true
fi
timeout 60 tail --pid="$program" -f /dev/null && pass "the program ends when its window closes" ||
    { fail "the program did not end"; kill "$program" 2>/dev/null || true; }

wine 'C:\Program Files\Levelwise\Uninstall.exe' /S && pass "silent uninstall" ||
    fail "silent uninstall exited with $?"
# The uninstaller works from a copy of itself in Temp (~nsu….tmp\Un.exe), so it may finish
# after its caller: wait for the copy to end.
for _ in $(seq 100); do [ -e "$drive/Program Files/Levelwise" ] || break; sleep 0.2; done
for _ in $(seq 200); do pgrep -f '~nsu[^\\]*\.tmp\\Un\.exe' >/dev/null || break; sleep 0.1; done
for path in "${written[@]}"; do
    present "$path" && fail "left behind: $path" || pass "removed: $path"
done
snapshot after
# The one trace NSIS leaves is that copy of the uninstaller, which it hands to Windows to
# delete at the next restart; anything else new is a leftover.
# (Temp is users/NAME/Temp in Wine 8, users/NAME/AppData/Local/Temp in Wine 10.)
nsis_copy='^\./users/[^/]*/\(AppData/Local/\)\?Temp/~nsu[^/]*\.tmp\(/Un\.exe\)\?$'
diff <(grep -v "$nsis_copy" "$out/files.before") <(grep -v "$nsis_copy" "$out/files.after") &&
    pass "no file left behind" || fail "files left behind"
if grep -q '^\./users/[^/]*/\(AppData/Local/\)\?Temp/~nsu' "$out/files.after"; then
    wine reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' \
        /v PendingFileRenameOperations | grep -q '\\~nsu' &&
        pass "the uninstaller's copy is deleted at the next restart" ||
        fail "the uninstaller's copy stays for good"
fi
# Wine keeps its own session state under HKCU\Software\Wine; that is not ours to compare.
# Nor are the empty keys Windows Installer makes for its bookkeeping at its first install and
# keeps (anything of ours in them would be a value, and stay in the comparison).
registry() {
    iconv -f UTF-16 -t UTF-8 "$1" | tr -d '\r' | awk '
        function flush() { if (block != "" && !(bookkeeping && !values)) printf "%s", block }
        /^\[/ { flush(); block = ""; values = 0
                wine = index($0, "[HKEY_CURRENT_USER\\Software\\Wine") == 1
                bookkeeping = $0 ~ /^\[HKEY_LOCAL_MACHINE\\Software\\(Classes\\Installer|Microsoft\\Windows\\CurrentVersion\\Installer)(\\|\])/ }
        wine { next }
        /^[@"]/ { values = 1 }
        { block = block $0 "\n" }
        END { flush() }'
}
same_registry() { # BEFORE AFTER
    for hive in software user; do
        diff <(registry "$out/$hive.$1.reg") <(registry "$out/$hive.$2.reg") &&
            pass "registry ($hive) as before the install" || fail "registry ($hive) changed"
    done
}
same_registry before after

# The MSI: silent install, its installed-apps entry and shortcut, an upgrade from an older
# package and a refused downgrade, and a silent uninstall that leaves the prefix as it was.
msi=$build/$package.msi
msi_property() { # NAME MSI
    msiinfo export "$2" Property | tr -d '\r' | awk -F'\t' -v name="$1" '$1 == name { print $2 }'
}
product=$(msi_property ProductCode "$msi") product_version=$(msi_property ProductVersion "$msi")
# An older and a newer package of the same files, made and signed the way the build makes
# and signs the MSI (SOURCE_DATE_EPOCH, the signing time, is the build's).
other_msi() { # VERSION [DISPLAY_VERSION]
    LEVELWISE_SIGN_PKCS12=$signing/signer.p12 LEVELWISE_SIGN_PASSWORD=$signing/password \
    cmake -DVERSION="$1" -DDISPLAY_VERSION="${2:-$1}" -DTITLE=Levelwise "-DAUTHORS=The Levelwise authors" \
        -DSTAGE="$out/stage-$1" -DOUTPUT="$out/Levelwise-$1.msi" -DTEMPLATE="$here/../windows/levelwise.wxs.in" \
        "-DFILES=$(printf '%s;' "$build"/app/windows/msi/{Levelwise.exe,LICENSE.txt,THIRD-PARTY-LICENSES.txt,levelwise.ico} | sed 's/;$//')" \
        -P "$here/../windows/make_msi.cmake" >/dev/null && echo "$out/Levelwise-$1.msi"
}
older=$(other_msi 0.9.0)
# Made and signed again from the same files, the package is the same to the byte.
cmp -s "$(other_msi "$product_version" "$version")" "$msi" &&
    pass "MSI: made again, the same bytes" || fail "MSI: made again, other bytes"
snapshot msi-before
wine msiexec /i "Z:$older" /qn && pass "MSI 0.9.0 installed" || fail "MSI 0.9.0 did not install"
wine msiexec /i "Z:$msi" /qn && pass "MSI: silent install over 0.9.0" || fail "MSI install exited with $?"
upgraded "MSI: "
uninstall_key="HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\\$product"
uninstall_values "MSI: " <<TABLE
DisplayVersion=$product_version
UninstallString=MsiExec.exe /X$product
TABLE
for file in Levelwise.exe LICENSE.txt THIRD-PARTY-LICENSES.txt; do
    present "Program Files/Levelwise/$file" && pass "MSI installed $file" || fail "MSI did not install $file"
done
if wine msiexec /i "Z:$older" /qn; then fail "MSI: 0.9.0 installed over $product"; else pass "MSI: downgrade refused"; fi
[ "$(levelwise_entries)" = 1 ] && present "Program Files/Levelwise/Levelwise.exe" &&
    pass "MSI: still installed after the refused downgrade" || fail "MSI: the refused downgrade changed the install"
# The setup where the MSI installed Levelwise, and the MSI where the setup did: each refuses.
if wine "$setup" /S; then fail "the setup installed over the MSI"; else pass "the setup refuses where the MSI installed"; fi
one_entry "MSI, after the setup's try"
wine msiexec /x "$product" /qn && pass "MSI: silent uninstall" || fail "MSI: uninstall exited with $?"
snapshot msi-after
diff "$out/files.msi-before" "$out/files.msi-after" && pass "MSI: no file left behind" || fail "MSI: files left behind"
same_registry msi-before msi-after
wine "$setup" /S && pass "setup installed again" || fail "the setup did not install again"
if wine msiexec /i "Z:$msi" /qn; then fail "the MSI installed over the setup"; else pass "the MSI refuses where the setup installed"; fi
one_entry "setup, after the MSI's try"
wine 'C:\Program Files\Levelwise\Uninstall.exe' /S && pass "setup uninstalled again" || fail "setup: uninstall failed"

[ $status -eq 0 ] || { echo "wine said:"; cat "$out/wine.log"; }
exit $status
