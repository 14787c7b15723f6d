#!/bin/sh
# Rebuilds docs/screenshot.png: the window under a virtual X server (Xvfb, no window manager, so
# no frame) after a Calculate of the worked example, in a Russian locale (decimal comma).
#   docs/make-screenshot.sh [BUILD_DIR]      (default: build)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target ormiza_screenshot -j2
display=:$(( 90 + $$ % 100 ))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 1
DISPLAY=$display QT_QPA_PLATFORM=xcb LC_ALL=ru_RU.UTF-8 "$build/tests/gui/ormiza_screenshot" "$root/docs/screenshot.png"
echo "wrote $root/docs/screenshot.png"
