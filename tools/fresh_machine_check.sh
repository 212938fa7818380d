#!/usr/bin/env bash
# Proves the quick start on a machine with nothing installed: builds a minimal
# Debian 12 root, copies a clean clone of this repository into it and runs
# ./test.sh there as root, so every package the build needs must come from
# tools/setup.sh. Slow (a fresh package download and a full build), so it is
# run by hand, not in CI.
#
#   tools/fresh_machine_check.sh [ROOT_DIR]
#
# Needs root. ROOT_DIR (default /var/tmp/kivo-fresh-root) is made anew; the
# commit checked is the current HEAD of this clone.
set -euo pipefail
cd "$(dirname "$0")/.."

root="${1:-/var/tmp/kivo-fresh-root}"
. tools/fresh_root.sh
kivo_fresh_root "$root"

# A clean clone: only what is committed, as CI sees it.
git clone -q --no-hardlinks "$PWD" "$root/root/kivo"

chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin \
  QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 \
  bash -c 'cd /root/kivo && ./test.sh'
echo "Fresh Debian 12 root: ./test.sh passed."
