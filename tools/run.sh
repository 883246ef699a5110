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
echo "levelwise: the core is built; the window comes next."
