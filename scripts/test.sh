#!/bin/sh
# Builds everything and runs every test: the Qt Test suite, the same suite under
# AddressSanitizer and UndefinedBehaviorSanitizer, a bounded fuzzing run of the
# telnet engine and the end-to-end check of the real program under Xvfb.
# Installs what it needs first. Usage: scripts/test.sh [--quick]  (--quick: plain suite only)
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
JOBS=$(nproc 2>/dev/null || echo 2)
FUZZ_SECONDS=${FUZZ_SECONDS:-60}

scripts/install-deps.sh

step() { printf '\n==== %s ====\n' "$*"; }

step "build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTASTARELLO_TESTS=ON -DTASTARELLO_BENCH=ON >/dev/null
cmake --build build -j"$JOBS"

step "tests"
(cd build && ctest --output-on-failure -j"$JOBS")

[ "${1:-}" = "--quick" ] && exit 0

step "end-to-end under Xvfb"
scripts/e2e.sh "$ROOT/build"

step "tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTASTARELLO_SANITIZE=ON -DTASTARELLO_TESTS=ON >/dev/null
cmake --build build-asan -j"$JOBS"
(cd build-asan && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j"$JOBS")

step "fuzzing the telnet engine for ${FUZZ_SECONDS} s"
fuzz/run-fuzz.sh "$FUZZ_SECONDS"

step "all tests passed"
