# Shared by the fresh-machine and package checks: a minimal Debian 12 root
# made anew with debootstrap, /proc and /dev/pts mounted while the check runs
# and unmounted at its end. Sourced, not executed; needs root.
#
#   kivo_fresh_root ROOT_DIR

kivo_fresh_root() {
  KIVO_ROOT="$1"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Run as root: debootstrap and chroot need it." >&2
    exit 2
  fi
  if ! command -v debootstrap >/dev/null; then
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends debootstrap
  fi
  trap kivo_fresh_root_unmount EXIT
  kivo_fresh_root_unmount
  rm -rf "$KIVO_ROOT"
  debootstrap --variant=minbase bookworm "$KIVO_ROOT"
  cp /etc/resolv.conf "$KIVO_ROOT/etc/resolv.conf"
  mount -t proc proc "$KIVO_ROOT/proc"
  mount -t devpts devpts "$KIVO_ROOT/dev/pts"
}

kivo_fresh_root_unmount() {
  mountpoint -q "$KIVO_ROOT/dev/pts" && umount "$KIVO_ROOT/dev/pts" || true
  mountpoint -q "$KIVO_ROOT/proc" && umount "$KIVO_ROOT/proc" || true
}
