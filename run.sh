#!/usr/bin/env bash
# Builds KIVO (installing what is missing when run as root) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
. tools/setup.sh
kivo_install_packages
kivo_build build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "KIVO is built, but there is no display to show its window on." >&2
  echo "Start it from a desktop session, or use the headless tool: build/src/cli/kivo-batch --help" >&2
  exit 1
fi
exec build/src/ui/kivo "$@"
