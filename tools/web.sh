#!/usr/bin/env bash
# Builds the web app into build/web/: the page generated from the window table, the core
# compiled to WebAssembly, scripts, style, icons, manifest and service worker.
#   tools/web.sh            build it
#   tools/web.sh --serve    build it and serve it on 127.0.0.1 (the address is printed)
#   tools/web.sh SITE       build it into the folder SITE, with its WebAssembly in SITE-wasm
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
levelwise_require_packages "${LEVELWISE_WEB_PACKAGES[@]}"

site=build/web
case ${1:-} in
--serve | '') ;;
-*) echo "usage: tools/web.sh [--serve | SITE]" >&2; exit 2 ;;
*) site=${1%/} ;;
esac
cmake -S . -B "$site-wasm" -DCMAKE_TOOLCHAIN_FILE=cmake/wasm32-wasi.cmake \
    -DCMAKE_BUILD_TYPE=Release -DLEVELWISE_BUILD_TESTS=OFF -DLEVELWISE_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$site-wasm" --parallel "$(nproc)"
node --no-warnings app/web/build_site.mjs "$site-wasm" "$site"
if [ "${1:-}" = --serve ]; then
    exec node app/web/serve.mjs "$site"
fi
