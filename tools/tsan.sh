#!/usr/bin/env bash
# Builds the simulation libraries and their tests with ThreadSanitizer in
# build-tsan and runs the tests that run projects on several threads at once
# (the grade of a class with two jobs) and the Modbus server's tests (its
# thread beside the cycle's), so that any state shared between threads
# without a lock shows as a data race. Not part of CI, like tools/asan.sh; run it
# after touching the simulation libraries. Extra arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/setup.sh
kivo_install_packages
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug "${launcher[@]}" \
  "-DCMAKE_CXX_FLAGS=-fsanitize=thread -fno-omit-frame-pointer" -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread \
  -DKIVO_BUILD_GUI=OFF -DKIVO_BUILD_BENCH=OFF
cmake --build build-tsan -j"$(nproc)" --target exercises_tests modbus_tests
cd build-tsan
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
ctest --output-on-failure -R '^(Class|ServerTest)\.' "$@"
