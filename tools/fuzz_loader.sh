#!/usr/bin/env bash
# Fuzzes the project loader with libFuzzer, AddressSanitizer and UBSan.
#
#   tools/fuzz_loader.sh [SECONDS] [BUILD_DIR] [LIBFUZZER_OPTIONS...]
#
# Builds the fuzz target with clang from the simulation sources, copies the
# seed corpus of tests/project/corpus into BUILD_DIR/corpus (so new inputs do
# not land in the repository) and runs the fuzzer for SECONDS (default 600) at
# the lowest priority. A crash leaves its input in BUILD_DIR as crash-*;
# add it to tests/project/corpus once fixed so the replay test keeps it.
set -euo pipefail

FUZZ_SECONDS="${1:-600}"
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
DEST="${2:-$ROOT/../build-fuzz-loader}"
shift $(( $# < 2 ? $# : 2 ))
CXX="${CXX:-clang++-14}"
command -v "$CXX" >/dev/null || CXX=clang++

mkdir -p "$DEST/corpus"
cp -n "$ROOT"/tests/project/corpus/* "$DEST/corpus/" 2>/dev/null || true

# The sources are compiled from a snapshot, so that a header edited while the
# build runs cannot leave two layouts of one class in the binary.
SNAPSHOT="$DEST/sources"
rm -rf "$SNAPSHOT"
mkdir -p "$SNAPSHOT/src" "$SNAPSHOT/tests"
cp -r "$ROOT/src/core" "$ROOT/src/objects" "$ROOT/src/project" "$SNAPSHOT/src/"
cp "$ROOT/tests/project/FuzzLoad.cpp" "$SNAPSHOT/tests/"
echo "Building the fuzz target with $CXX..."
nice -n 19 "$CXX" -std=c++20 -O1 -g -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I "$SNAPSHOT/src" "$SNAPSHOT"/src/*/*.cpp "$SNAPSHOT/tests/FuzzLoad.cpp" -o "$DEST/fuzz_load"

cd "$DEST"
echo "Fuzzing for $FUZZ_SECONDS s (inputs in $DEST/corpus)..."
exec nice -n 19 ./fuzz_load -max_total_time="$FUZZ_SECONDS" -max_len=65536 -timeout=20 \
  -print_final_stats=1 "$@" corpus
