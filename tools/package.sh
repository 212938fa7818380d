#!/usr/bin/env bash
# Builds the Debian package from this tree: build-package/kivo_VERSION_ARCH.deb.
# Installs what the build needs first (as tools/setup.sh does for run.sh).
#
#   tools/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/setup.sh
kivo_install_packages
dir=build-package
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DKIVO_BUILD_TESTS=OFF -DKIVO_BUILD_BENCH=OFF
cmake --build "$dir" -j"$(nproc)"
(cd "$dir" && cpack -G DEB)
ls "$dir"/kivo_*.deb
