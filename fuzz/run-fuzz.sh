#!/bin/sh
# Builds the telnet fuzzer with clang and runs it on a copy of the seed corpus:
#   fuzz/run-fuzz.sh [SECONDS (default 60) | -runs=N] [more libFuzzer flags]
# FUZZ_BUILD_DIR: build directory (default build-fuzz), FUZZ_CXX: compiler (default clang++-14).
# A crash, leak or undefined behaviour fails, leaving the reproducer in the printed directory.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
limit=${1:-60}
[ $# -gt 0 ] && shift
case "$limit" in -*) ;; *) limit="-max_total_time=$limit" ;; esac

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER="${FUZZ_CXX:-clang++-14}" -DTASTARELLO_FUZZ=ON -DTASTARELLO_TESTS=OFF >/dev/null
cmake --build "$build" --target fuzz_telnet

work=$(mktemp -d "${TMPDIR:-/tmp}/fuzz-telnet.XXXXXX")
mkdir "$work/corpus"
cp "$here"/corpus/telnet/* "$work/corpus/"
cd "$work"
# Inputs a little longer than the sub-negotiation bound (4096) reach its limit.
"$build/fuzz/fuzz_telnet" "$limit" -max_len=4500 -print_final_stats=1 "$@" corpus ||
    { status=$?; echo "run-fuzz: failure, see $work" >&2; exit $status; }
# With -jobs the figures are in the job logs.
grep -H -e '^Done' -e 'stat::number_of_executed_units' fuzz-*.log 2>/dev/null || true
rm -rf "$work"
