#!/usr/bin/env bash
# Builds the release set a second time from another clone of the commit, at another path, with
# another umask, time zone, locale and a clock days ahead, and compares the two file by file.
# Any difference fails it, shown by diffoscope.
#   tools/check-release.sh [SET]    SET: a set tools/release.sh made already (built anew here
#                                   by default, in build/release-set)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
levelwise_require_packages faketime locales
levelwise_require_locales hu_HU

started=$SECONDS
first=${1:-}
if [ -z "$first" ]; then
    first=build/release-set
    tools/release.sh "$first" >/dev/null
    echo "levelwise: first set built after $((SECONDS - started)) s"
fi
[ -f "$first/SHA256SUMS" ] || { echo "levelwise: $first holds no release set" >&2; exit 2; }
first=$(realpath "$first")

other=$(mktemp -d /var/tmp/levelwise-other.XXXXXX)
trap 'rm -rf "$other"' EXIT
clone=$other/elsewhere/a-longer-path/levelwise
git clone --quiet --no-hardlinks . "$clone"
# Files checked out now, not when the first clone was: their times differ too.
second=$other/set
(
    umask 0077
    export TZ=Pacific/Chatham LC_ALL=hu_HU.UTF-8 LANG=hu_HU.UTF-8
    # Three days ahead, the clock running on from there.
    export FAKETIME_DONT_FAKE_MONOTONIC=1
    faketime -f +3d date '+levelwise: the second build%n  thinks it is %c (%Z)'
    cd "$clone"
    faketime -f +3d tools/release.sh "$second" >"$other/release.log" 2>&1 ||
        { tail -n 40 "$other/release.log" >&2; exit 1; }
)
echo "levelwise: second set built after $((SECONDS - started)) s, in $clone"

# The same files, and each the same to the byte.
if diff <(cd "$first" && find . -type f | LC_ALL=C sort) <(cd "$second" && find . -type f | LC_ALL=C sort); then
    differing=()
    while IFS= read -r name; do
        cmp -s "$first/$name" "$second/$name" || differing+=("$name")
    done < <(cd "$first" && find . -type f -printf '%P\n' | LC_ALL=C sort)
else
    echo "levelwise: the two sets do not hold the same files" >&2
    exit 1
fi
if [ ${#differing[@]} -eq 0 ]; then
    echo "levelwise: the two release sets are the same to the byte ($(wc -l <"$first/SHA256SUMS") files)"
    echo "levelwise: release sets compared after $((SECONDS - started)) s"
    exit 0
fi
echo "levelwise: ${#differing[@]} files differ between the two release sets: ${differing[*]}" >&2
levelwise_require_packages diffoscope-minimal
for name in "${differing[@]}"; do
    diffoscope --no-progress --text - "$first/$name" "$second/$name" | head -n 400 >&2 || true
done
exit 1
