#!/bin/sh
# Builds everything and runs every test: the Qt Test suite with Qt 5 and again
# with Qt 6, the Qt 5 suite under AddressSanitizer and UndefinedBehaviorSanitizer,
# a bounded fuzzing run of the telnet engine and the end-to-end check of the real
# program under Xvfb. Installs what it needs first.
# Usage: scripts/test.sh [--quick]  (--quick: the plain suite with both Qts only)
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

LOGS=$(mktemp -d)
trap 'rm -rf "$LOGS"' EXIT
# Counts of the ctest runs (plus EXTRA checks that passed), for the closing line.
tally() { sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1 \2/p' "$@" |
    awk -v extra="${EXTRA:-0}" '{ f += $1; n += $2 } END { printf "%d passed, %d failed\n", n - f + extra, f }'; }
# ctest in a build tree, its output shown and kept; fails as ctest does.
run_ctest() {
    # The exit code is kept without tripping set -e, which would end the group before it is written.
    { (cd "$1" && ctest --output-on-failure --no-tests=error -j"$JOBS") && echo 0 >"$2.rc" || echo $? >"$2.rc"; } 2>&1 | tee "$2"
    return "$(cat "$2.rc")"
}

step "tests"
run_ctest build "$LOGS/plain.log"

# The same sources with Qt 6; the benchmarks, sanitizers and fuzzing stay on Qt 5.
step "build with Qt 6"
cmake -S . -B build-qt6 -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQT_MAJOR_VERSION=6 \
    -DTASTARELLO_TESTS=ON -DTASTARELLO_BENCH=OFF >/dev/null
cmake --build build-qt6 -j"$JOBS"

step "tests with Qt 6"
run_ctest build-qt6 "$LOGS/qt6.log"

if [ "${1:-}" = "--quick" ]; then
    echo "tests: $(tally "$LOGS/plain.log" "$LOGS/qt6.log")"
    exit 0
fi

step "end-to-end under Xvfb"
scripts/e2e.sh "$ROOT/build"

step "tests under AddressSanitizer (with leak checks) and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTASTARELLO_SANITIZE=ON -DTASTARELLO_TESTS=ON >/dev/null
cmake --build build-asan -j"$JOBS"
(
    export ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$ROOT/tests/lsan.supp:print_suppressions=0 UBSAN_OPTIONS=print_stacktrace=1
    run_ctest build-asan "$LOGS/asan.log"
)

step "fuzzing the telnet engine for ${FUZZ_SECONDS} s"
fuzz/run-fuzz.sh "$FUZZ_SECONDS"

step "all tests passed"
# The end-to-end check and the fuzzing run count as one each.
echo "tests: $(EXTRA=2 tally "$LOGS/plain.log" "$LOGS/qt6.log" "$LOGS/asan.log")"
