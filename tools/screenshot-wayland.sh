#!/usr/bin/env bash
# Starts Levelwise on Wayland, under a private headless Weston, and takes a screenshot of the
# whole output, the title bar Qt draws there included.
#   tools/screenshot-wayland.sh [PROGRAM] [OUTPUT_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
levelwise_require_packages weston qt6-wayland

program=$(realpath "${1:-build/release/app/levelwise}")
out=$(realpath -m "${2:-build/screenshots}")
mkdir -p "$out"
[ -x "$program" ] || { echo "screenshot: no program at $program; run tools/run.sh first" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
LEVELWISE_WESTON_WIDTH=600 LEVELWISE_WESTON_HEIGHT=420 "$OLDPWD/tests/wayland/run.sh" bash -c '"$0" & sleep 2; weston-screenshooter; kill $!' "$program"
mv wayland-screenshot-*.png "$out/window-wayland.png"
echo "wrote $out/window-wayland.png"
