#!/usr/bin/env bash
# Builds the program in release mode and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
levelwise_require_packages "${LEVELWISE_BUILD_PACKAGES[@]}"

build=build/release
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DLEVELWISE_BUILD_TESTS=OFF \
    -DLEVELWISE_BUILD_BENCHMARKS=OFF
cmake --build "$build" --parallel "$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "levelwise: built $build/app/levelwise, but there is no display to show its window on" >&2
    echo "(neither DISPLAY nor WAYLAND_DISPLAY is set). Start it from a desktop session," >&2
    echo "or under a virtual one: xvfb-run $build/app/levelwise" >&2
    exit 1
fi
exec "$build/app/levelwise"
