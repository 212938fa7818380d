# Shared set-up of run.sh and test.sh: installs the Debian packages the build
# needs (when run as root) and configures and builds the tree.
# Sourced, not executed.

KIVO_PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev libxkbcommon-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libeigen3-dev libtomlplusplus-dev
  # the Modbus TCP server, and the Modbus clients its tests run
  libmodbus-dev mbpoll python3-pymodbus python3-serial-asyncio
  # the man pages, the desktop files' checks and the Debian package
  help2man desktop-file-utils appstream dpkg-dev file
)

kivo_install_packages() {
  local missing=()
  local p
  for p in "${KIVO_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "Run this script as root to install them, or: sudo apt-get install ${missing[*]}" >&2
    return 1
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
}

kivo_build() {
  local dir="$1"
  shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$dir" -j"$(nproc)"
}
