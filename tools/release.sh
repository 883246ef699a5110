#!/usr/bin/env bash
# Builds the whole release set of the checked-out commit into build/release-set/ (or the folder
# given: tools/release.sh [FOLDER]):
#   levelwise_VERSION_amd64.deb              the Debian package
#   Levelwise.exe                            the Windows program itself
#   Levelwise-VERSION-win64-setup.exe, .msi, .zip    its three downloads
#   winget/                                  their winget manifests
#   levelwise-VERSION-web.tar.gz             the web app, to unpack onto any static host
#   DOWNLOAD.cdx.json                        each download's bill of materials (CycloneDX 1.5)
#   SHA256SUMS                               the digests of all of the above
# Every file's time is the release commit's (SOURCE_DATE_EPOCH), so the set has the same bytes
# wherever and whenever it is built from that commit. With LEVELWISE_SIGN_PKCS12 and
# LEVELWISE_SIGN_PASSWORD set (see app/windows/sign.sh) the Windows files are signed.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
levelwise_require_packages "${LEVELWISE_BUILD_PACKAGES[@]}" "${LEVELWISE_WINDOWS_PACKAGES[@]}" \
    "${LEVELWISE_WEB_PACKAGES[@]}"

out=${1:-build/release-set}
out=${out%/}
work=$out.work
if ! git diff --quiet HEAD -- 2>/dev/null; then
    echo "levelwise: the checkout has uncommitted changes: the set is not the commit's" >&2
fi
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH
# Folders, and the .deb's own members (control.tar.gz, data.tar.gz), get the modes the
# builder's umask leaves them: a release's are Debian's usual ones.
umask 022
echo "levelwise: release of $(git rev-parse --short HEAD), dated $(date -u -d "@$SOURCE_DATE_EPOCH" '+%F %T') UTC"
rm -rf "$out" "$work"
mkdir -p "$out" "$work"

started=$SECONDS
step() { # NAME: what the last step was, and how long it took
    echo "levelwise: $1 after $((SECONDS - started)) s"
}

cmake -S . -B "$work/linux" -DCMAKE_BUILD_TYPE=Release -DLEVELWISE_BUILD_TESTS=OFF \
    -DLEVELWISE_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$work/linux" --parallel "$(nproc)"
(cd "$work/linux" && cpack -G DEB >/dev/null)
step "Linux program and Debian package built"
tools/windows.sh "$work/windows"
step "Windows program and downloads built"
tools/web.sh "$work/site" >/dev/null
step "web app built"

version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$work/linux/CPackConfig.cmake")
deb=levelwise_${version}_amd64.deb
windows=Levelwise-$version-win64
site=levelwise-$version-web.tar.gz
cp "$work/linux/$deb" "$work/windows/Levelwise.exe" "$work/windows/$windows-setup.exe" \
    "$work/windows/$windows.msi" "$work/windows/$windows.zip" "$out/"
cp -r "$work/windows/winget" "$out/"
# The site as one archive: names sorted, owner root, modes without the builder's umask, every
# time the release's, and no name or time in the gzip header.
tar --create --format=gnu --sort=name --owner=0 --group=0 --numeric-owner \
    --mode='u=rwX,go=rX' --mtime="@$SOURCE_DATE_EPOCH" -C "$work" site |
    gzip -9 -n >"$out/$site"

bom=(node --no-warnings app/release/bom.mjs)
"${bom[@]}" "$out/$deb" --name levelwise --version "$version" --depends
"${bom[@]}" "$out/Levelwise.exe" --name Levelwise --version "$version" \
    --linked "$work/windows/Levelwise.map"
for download in "$windows-setup.exe" "$windows.msi" "$windows.zip"; do
    evidence=(--contains "$out/Levelwise.exe" --linked "$work/windows/Levelwise.map")
    # The setup runs NSIS's own code before the program is there.
    [ "$download" != "$windows-setup.exe" ] || evidence+=(--package nsis-common)
    "${bom[@]}" "$out/$download" --name Levelwise --version "$version" "${evidence[@]}"
done
"${bom[@]}" "$out/$site" --name levelwise-web --version "$version" \
    --linked "$work/site-wasm/ui/web/levelwise.map"
(cd "$out" && find . -type f ! -name SHA256SUMS -printf '%P\n' | LC_ALL=C sort |
    xargs -d '\n' sha256sum >SHA256SUMS)
step "set written"

if [ -n "${LEVELWISE_SIGN_PKCS12:-}" ]; then
    echo "levelwise: the Windows files are signed"
else
    echo "levelwise: the Windows files are unsigned (no LEVELWISE_SIGN_PKCS12 given)"
fi
echo "levelwise: the release set in $out:"
(cd "$out" && find . -type f -printf '%10s  %P\n' | LC_ALL=C sort -k2)
