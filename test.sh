#!/usr/bin/env bash
# Builds KIVO (installing what is missing when run as root) and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
. tools/setup.sh
kivo_install_packages
kivo_build build
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
