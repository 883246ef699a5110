#!/usr/bin/env bash
# Builds everything, the sanitized twins of the test programs included, and runs every test.
#   tools/test.sh --quick   the core, the window's description and the Qt window tests only,
#                           for day-to-day work (about a minute from a warm build folder)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
if [ "${1:-}" = --quick ]; then
    levelwise_require_packages "${LEVELWISE_BUILD_PACKAGES[@]}" "${LEVELWISE_TEST_PACKAGES[@]}"
    levelwise_require_locales hu_HU de_DE de_CH fr_FR
    build=build/quick
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLEVELWISE_BUILD_BENCHMARKS=OFF >/dev/null
    cmake --build "$build" --parallel "$(nproc)" --target core_tests form_tests window_look_test window_use_test
    export QT_QPA_PLATFORM=offscreen
    exec ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" \
        -R '^(core_tests|form_tests|window_look_test|window_use_test)' -E 'wayland'
elif [ $# -gt 0 ]; then
    echo "usage: tools/test.sh [--quick]" >&2
    exit 2
fi
levelwise_require_packages "${LEVELWISE_BUILD_PACKAGES[@]}" "${LEVELWISE_TEST_PACKAGES[@]}"
command -v npm >/dev/null || levelwise_require_packages npm
levelwise_require_locales hu_HU de_DE de_CH fr_FR en_IN en_US
echo "levelwise: packages and locales ready after $SECONDS s" >&2

build=build/test
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLEVELWISE_SANITIZERS=ON \
    -DLEVELWISE_FUZZ=ON -DLEVELWISE_CROSS_CHECK=ON -DLEVELWISE_WINDOWS_CHECK=ON -DLEVELWISE_WEB_CHECK=ON
cmake --build "$build" --parallel "$(nproc)"
# The browser tests' driver and the bills of materials' validator, at the versions of the
# committed lock file; the validator's optional XML half (a native module) is left out. The
# stamp is written only once npm ci has finished, so an interrupted or failed install is redone
# next time.
mkdir -p "$build/web-node"
if ! cmp -s ui/web/tests/package-lock.json "$build/web-node/installed-lock.json"; then
    rm -f "$build/web-node/installed-lock.json"
    cp ui/web/tests/package.json ui/web/tests/package-lock.json "$build/web-node/"
    (cd "$build/web-node" && npm ci --omit=optional --no-audit --no-fund --loglevel=error)
    cp ui/web/tests/package-lock.json "$build/web-node/installed-lock.json"
fi
echo "levelwise: built after $SECONDS s" >&2
export QT_QPA_PLATFORM=offscreen
# A test that tries a thing again (where the cause lies outside the program and the test)
# says so on a line of its own beginning "retry: "; CTest keeps every test's output, passed
# or not, in its log, and the run counts those lines there after CTest's summary.
status=0
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" || status=$?
log=$build/Testing/Temporary/LastTest.log
retries=$(grep -c '^retry: ' "$log" 2>/dev/null || true)
echo "levelwise: ${retries:-0} retries in the tests" >&2
grep '^retry: ' "$log" 2>/dev/null | sed 's/^/levelwise: /' >&2 || true
exit $status
