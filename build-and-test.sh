#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: a normal build in ./build and
# an AddressSanitizer + UndefinedBehaviorSanitizer build in ./build-asan.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
jobs=$(nproc)

echo "test: normal build in ./build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "test: sanitizer build in ./build-asan"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORMIZA_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp":print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "test: short fuzz runs (clang, libFuzzer, sanitizers) in ./build-fuzz"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORMIZA_SANITIZE=ON -DORMIZA_FUZZ=ON -DORMIZA_TESTS=OFF -DORMIZA_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$jobs"
fuzz_seconds=${ORMIZA_FUZZ_SECONDS:-60}
fuzz() { # fuzz NAME LOCALE: one run on a scratch copy of the committed seed corpus
    local name=$1 locale=$2 work status=0
    work=$(mktemp -d)
    cp -r "fuzz/corpus/${name%_fuzz}/." "$work/"
    echo "fuzz: $name in $locale for ${fuzz_seconds}s"
    LC_ALL=$locale QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
        "build-fuzz/fuzz/$name" -max_total_time="$fuzz_seconds" -max_len=4096 \
        -print_final_stats=1 "$work" >"$work.log" 2>&1 || status=$?
    grep -E '^(stat::number_of_executed_units|Done )' "$work.log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$work.log"
    fi
    rm -rf "$work" "$work.log"
    return "$status"
}
fuzz str_to_float_fuzz C
fuzz str_to_float_fuzz ru_RU.UTF-8
if [ -x build-fuzz/fuzz/calculate_fuzz ]; then
    fuzz calculate_fuzz C
fi
echo "fuzz: no findings"
