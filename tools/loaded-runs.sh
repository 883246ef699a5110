#!/usr/bin/env bash
# Runs the README test command in fresh roots again and again, each with two CPU-heavy jobs
# beside it, as on a contributor's busy 2-core machine: each job builds the Linux program
# from a clone of this checkout, from scratch, and starts again when it ends. A run that fails
# or retries by chance here would fail or retry in CI one day.
#   tools/loaded-runs.sh [RUNS [FIRST]]   RUNS (10) alternate between Debian 12 and 13,
#                                          from FIRST (12)
# Prints a line a run (release, exit status, time, CTest's summary, the tests' retries and the
# builds the load finished meanwhile) and keeps each run's whole output in build/loaded-runs/.
set -uo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
levelwise_require_packages "${LEVELWISE_BUILD_PACKAGES[@]}" || exit 1
runs=${1:-10}
first=${2:-12}
case $first in 12 | 13) ;; *) echo "loaded-runs: FIRST is 12 or 13, not '$first'" >&2; exit 2 ;; esac
tree=$(git rev-parse --short HEAD)
out=$PWD/build/loaded-runs
mkdir -p "$out"
load=$(mktemp -d)
git clone -q . "$load/src"
jobs=()
# Each job in a process group of its own (set -m), so that its compilers end with it.
stop_load() {
    local job
    for job in "${jobs[@]}"; do kill -- "-$job" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$load"
}
trap stop_load EXIT

# One load job: builds in a loop, and counts the builds it finished in its file.
build_loop() { # NAME
    local dir=$load/$1
    while true; do
        rm -rf "$dir"
        cmake -S "$load/src" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DLEVELWISE_BUILD_TESTS=OFF \
            -DLEVELWISE_BUILD_BENCHMARKS=OFF >/dev/null 2>&1 &&
            cmake --build "$dir" --parallel 1 >/dev/null 2>&1 &&
            echo $(($(cat "$dir.count") + 1)) >"$dir.count"
    done
}
echo 0 >"$load/a.count"
echo 0 >"$load/b.count"
set -m
build_loop a & jobs+=($!)
build_loop b & jobs+=($!)
set +m

failed=0
for run in $(seq "$runs"); do
    release=$((run % 2 ? first : 25 - first))
    log=$out/$tree-run-$run-debian-$release.log
    before=$(($(cat "$load/a.count") + $(cat "$load/b.count")))
    started=$SECONDS
    # From the clone, so that every run tests the tree the loop started on.
    "$load/src/tools/fresh-root.sh" "$release" tools/test.sh >"$log" 2>&1
    status=$?
    [ $status -eq 0 ] || failed=$((failed + 1))
    builds=$(($(cat "$load/a.count") + $(cat "$load/b.count") - before))
    summary=$(grep -E '^[0-9]+% tests passed' "$log" | tail -n 1)
    retries=$(grep -oE '^levelwise: [0-9]+ retries' "$log" | grep -oE '[0-9]+' | tail -n 1)
    echo "$tree run $run, Debian $release: exit status $status after $((SECONDS - started)) s;" \
        "${summary:-no CTest summary}; ${retries:-?} retries; $builds builds beside it"
    grep -E '^levelwise: retry: |\*\*\*Failed|Timeout' "$log" | sed 's/^/    /'
done
echo "$failed of $runs runs failed"
[ $failed -eq 0 ]
