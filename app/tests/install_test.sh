#!/usr/bin/env bash
# Installs the build into a fresh folder and checks the tree a Linux desktop expects, with
# the desktop entry and the AppStream metadata passing their validators, and the release's
# version and date wherever the installed files show them.
#   install_test.sh BUILD_FOLDER APP_ID VERSION RELEASE_DATE
set -euo pipefail
build=$1 id=$2 version=$3 date=$4
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

status=0
for file in bin/levelwise "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" \
            "share/icons/hicolor/scalable/apps/$id.svg"; do
    if [ -f "$prefix/$file" ]; then echo "installed: $file"; else echo "MISSING: $file"; status=1; fi
done
# Each icon size, as file(1) describes the picture: small ones in 256 colours, the sizes
# software centres ask for in full colour.
while read -r side kind; do
    icon="$prefix/share/icons/hicolor/${side}x${side}/apps/$id.png"
    file "$icon" | grep -q "$side x $side, $kind" && echo "installed: $side px icon, $kind" ||
        { echo "MISSING: a $side x $side icon, $kind"; status=1; }
done <<'TABLE'
16 8-bit colormap
32 8-bit colormap
48 8-bit/color RGBA
64 8-bit/color RGBA
128 8-bit/color RGBA
256 8-bit/color RGBA
TABLE
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$id.svg" ||
    { echo "the scalable icon is no SVG"; status=1; }
grep -qxF "X-Levelwise-Version=$version" "$prefix/share/applications/$id.desktop" ||
    { echo "desktop entry lacks the version $version"; status=1; }
grep -qF "<release version=\"$version\" date=\"$date\"/>" "$prefix/share/metainfo/$id.metainfo.xml" ||
    { echo "metainfo lacks the release $version of $date"; status=1; }
for page in man1/levelwise.1.gz hu/man1/levelwise.1.gz; do
    zcat "$prefix/share/man/$page" | head -n 1 | grep -qF " $date \"Levelwise $version\"" ||
        { echo "manual page $page is not of $version, $date"; status=1; }
done

desktop-file-validate "$prefix/share/applications/$id.desktop" || status=1
appstreamcli validate --no-net --explain "$prefix/share/metainfo/$id.metainfo.xml" || status=1
exit $status
