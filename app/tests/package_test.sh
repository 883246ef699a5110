#!/usr/bin/env bash
# Builds the Debian package of the build folder and checks its name, dependencies and files.
#   package_test.sh BUILD_FOLDER APP_ID
set -euo pipefail
build=$1 id=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >/dev/null
deb=$(ls "$out"/levelwise_1.00_*.deb)
echo "built $(basename "$deb")"

status=0
depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
for package in libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation2 libc6 qt6-wayland \
        qt6-translations-l10n; do
    grep -q "\b$package\b" <<<"$depends" || { echo "MISSING dependency: $package"; status=1; }
done
contents=$(dpkg-deb --contents "$deb")
for file in ./usr/bin/levelwise "./usr/share/applications/$id.desktop" \
            "./usr/share/metainfo/$id.metainfo.xml" "./usr/share/icons/hicolor/16x16/apps/$id.png" \
            "./usr/share/icons/hicolor/32x32/apps/$id.png"; do
    grep -qF " $file" <<<"$contents" || { echo "MISSING in package: $file"; status=1; }
done
exit $status
