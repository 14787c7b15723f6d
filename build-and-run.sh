#!/usr/bin/env bash
# Installs what is missing, builds the program in ./build and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
echo "build: configuring and building ./build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target ormiza
echo "run: build/app/ormiza"
exec build/app/ormiza "$@"
