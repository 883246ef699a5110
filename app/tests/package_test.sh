#!/usr/bin/env bash
# Builds the Debian package of the build folder and checks its name, dependencies and files,
# the change log against the release's version and date, the program's hardening, then
# lintian's verdict: no error and no warning.
#   package_test.sh BUILD_FOLDER APP_ID VERSION RELEASE_DATE CHANGELOG
set -euo pipefail
build=$1 id=$2 version=$3 date=$4 changelog=$5
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >/dev/null
deb=$(ls "$out"/levelwise_"$version"_*.deb)
echo "built $(basename "$deb")"

status=0
# The change log is written by hand: its newest entry must be this release, of this day.
logged=$(dpkg-parsechangelog -l "$changelog" -S Version)
logged_date=$(date -u -d "$(dpkg-parsechangelog -l "$changelog" -S Date)" +%F)
[ "$logged" = "$version" ] && [ "$logged_date" = "$date" ] &&
    echo "change log: $logged of $logged_date" ||
    { echo "the change log's newest entry is $logged of $logged_date, not $version of $date"; status=1; }

depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
for package in libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation2 libc6 qt6-wayland \
        qt6-translations-l10n; do
    # Debian 13 renamed some libraries for its 64-bit time (libqt6core6t64).
    grep -qE "\b$package(t64)?\b" <<<"$depends" || { echo "MISSING dependency: $package"; status=1; }
done
contents=$(dpkg-deb --contents "$deb")
for file in ./usr/bin/levelwise "./usr/share/applications/$id.desktop" \
            "./usr/share/metainfo/$id.metainfo.xml" "./usr/share/icons/hicolor/16x16/apps/$id.png" \
            "./usr/share/icons/hicolor/32x32/apps/$id.png" ./usr/share/doc/levelwise/copyright \
            ./usr/share/doc/levelwise/changelog.gz ./usr/share/man/man1/levelwise.1.gz \
            ./usr/share/man/hu/man1/levelwise.1.gz; do
    grep -qF " $file" <<<"$contents" || { echo "MISSING in package: $file"; status=1; }
done
# The manual pages read back as man shows them to a user of a UTF-8 locale (under the bare C
# locale man has no glyph for ő and ű): name, no options, exit status.
dpkg-deb -x "$deb" "$out/tree"
for page in man1 hu/man1; do
    text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$out/tree/usr/share/man/$page/levelwise.1.gz" 2>&1)
    grep -q 'levelwise - ' <<<"$text" && grep -qE '^(EXIT STATUS|KILÉPÉSI ÉRTÉK)' <<<"$text" &&
        ! grep -q 'warning' <<<"$text" && echo "manual page $page reads" ||
        { echo "manual page $page:"; echo "$text"; status=1; }
done
# Hardened as Debian's own programs are: position independent, stack protector, fortified
# functions, read-only relocations and immediate binding. Control-flow protection is not among
# Debian 12's hardening flags, so it is not asked for; nor is Debian 13's branch protection,
# which is arm64's (its hardening-check asks for it on every architecture).
unasked=(--nocfprotection)
# (Its help is read first: hardening-check --help exits with status 1, which pipefail counts.)
help=$(hardening-check --help 2>&1 || true)
grep -q -- --nobranchprotection <<<"$help" && unasked+=(--nobranchprotection)
if hardening-check "${unasked[@]}" "$out/tree/usr/bin/levelwise"; then
    echo "hardening-check: all passed"
else
    echo "hardening-check found the above"; status=1
fi
# lintian refuses to run as root unless told it may.
lintian --allow-root --fail-on error,warning --display-level '>=warning' "$deb" &&
    echo "lintian: no error, no warning" || { echo "lintian found the above"; status=1; }
exit $status
