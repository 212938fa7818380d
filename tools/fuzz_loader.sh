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

SEGUNDOS="${1:-600}"
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
DESTINO="${2:-$RAIZ/../build-fuzz-loader}"
shift $(( $# < 2 ? $# : 2 ))
CXX="${CXX:-clang++-14}"
command -v "$CXX" >/dev/null || CXX=clang++

mkdir -p "$DESTINO/corpus"
cp -n "$RAIZ"/tests/project/corpus/* "$DESTINO/corpus/" 2>/dev/null || true

# The sources are compiled from a snapshot, so that a header edited while the
# build runs cannot leave two layouts of one class in the binary.
FOTO="$DESTINO/fontes"
rm -rf "$FOTO"
mkdir -p "$FOTO/src" "$FOTO/tests"
cp -r "$RAIZ/src/core" "$RAIZ/src/objects" "$RAIZ/src/project" "$FOTO/src/"
cp "$RAIZ/tests/project/FuzzLoad.cpp" "$FOTO/tests/"
echo "Building the fuzz target with $CXX..."
nice -n 19 "$CXX" -std=c++20 -O1 -g -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I "$FOTO/src" "$FOTO"/src/*/*.cpp "$FOTO/tests/FuzzLoad.cpp" -o "$DESTINO/fuzz_load"

cd "$DESTINO"
echo "Fuzzing for $SEGUNDOS s (inputs in $DESTINO/corpus)..."
exec nice -n 19 ./fuzz_load -max_total_time="$SEGUNDOS" -max_len=65536 -timeout=20 \
  -print_final_stats=1 "$@" corpus
