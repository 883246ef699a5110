#!/usr/bin/env bash
# Installs the build into a fresh folder and checks the tree a Linux desktop expects, with
# the desktop entry and the AppStream metadata passing their validators.
#   install_test.sh BUILD_FOLDER APP_ID
set -euo pipefail
build=$1 id=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

status=0
for file in bin/levelwise "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" \
            "share/icons/hicolor/16x16/apps/$id.png" "share/icons/hicolor/32x32/apps/$id.png"; do
    if [ -f "$prefix/$file" ]; then echo "installed: $file"; else echo "MISSING: $file"; status=1; fi
done
file "$prefix/share/icons/hicolor/16x16/apps/$id.png" | grep -q '16 x 16, 8-bit colormap' ||
    { echo "16 px icon is not a 16 x 16 palette picture"; status=1; }
file "$prefix/share/icons/hicolor/32x32/apps/$id.png" | grep -q '32 x 32, 8-bit colormap' ||
    { echo "32 px icon is not a 32 x 32 palette picture"; status=1; }
grep -qx 'X-Levelwise-Version=1.00' "$prefix/share/applications/$id.desktop" ||
    { echo "desktop entry lacks the version"; status=1; }
grep -q '<release version="1.00"' "$prefix/share/metainfo/$id.metainfo.xml" ||
    { echo "metainfo lacks the release 1.00"; status=1; }

desktop-file-validate "$prefix/share/applications/$id.desktop" || status=1
appstreamcli validate --no-net --explain "$prefix/share/metainfo/$id.metainfo.xml" || status=1
exit $status
