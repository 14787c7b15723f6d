#!/bin/sh
# Measures the program's start-up against a bare Qt Widgets program under a virtual X server.
#   bench/gui/run-startup-bench.sh [BUILD_DIR] [PAIRS]     (defaults: build, 40)
# Build first: cmake --build BUILD_DIR --target ormiza_first_paint bare_first_paint
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build}
pairs=${2:-40}
display=:$(( 120 + $$ % 100 ))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 1
DISPLAY=$display python3 "$here/startup_bench.py" "$build" "$pairs"
