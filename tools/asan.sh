#!/usr/bin/env bash
# Builds the whole tree with AddressSanitizer and UBSan in build-asan and runs
# every test there with leak detection on. Slow (a separate build of
# everything), so not part of CI; run it before a release or after touching
# memory handling. Any leak fails its test: no suppression is needed today;
# should a library outside this project ever need one, add a suppressions file
# with a reason on each line and pass it as LSAN_OPTIONS=suppressions=FILE.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/setup.sh
kivo_install_packages
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
kivo_build build-asan -DCMAKE_BUILD_TYPE=Debug "${launcher[@]}" \
  "-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined" \
  -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined -DKIVO_BUILD_BENCH=OFF
cd build-asan
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=0
export UBSAN_OPTIONS=print_stacktrace=1
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" "$@"
