#!/usr/bin/env bash
# Proves the Debian package on a machine that has never seen it: builds a
# minimal Debian 12 root, installs build-package/kivo_*.deb there with the
# package manager (which brings its dependencies), runs the installed
# programs and the desktop's own checks, then removes the package and shows
# that nothing of it is left. Slow (a fresh root and Qt's run-time packages),
# so it is run by hand, not in CI.
#
#   tools/package.sh && tools/package_check.sh [ROOT_DIR]
#
# Needs root. ROOT_DIR (default /var/tmp/kivo-package-root) is made anew.
set -euo pipefail
cd "$(dirname "$0")/.."

deb=$(ls build-package/kivo_*.deb 2>/dev/null | head -n 1 || true)
if [ -z "$deb" ]; then
  echo "No package: run tools/package.sh first." >&2
  exit 2
fi
root="${1:-/var/tmp/kivo-package-root}"
. tools/fresh_root.sh
kivo_fresh_root "$root"
cp "$deb" "$root/tmp/"

run() {
  chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive bash -c "$1"
}

# The tools of the checks come first, so that what the package leaves behind
# is measured against a root that already has them.
run 'apt-get update -q && apt-get install -y -q --no-install-recommends desktop-file-utils appstream man-db'
run 'find / -xdev -not -path "/proc/*" -not -path "/tmp/*" -not -path "/var/cache/*" -not -path "/var/lib/apt/*" \
       -not -path "/var/lib/dpkg/*" -not -path "/var/log/*" -not -path "/root/*" | sort > /tmp/before.txt'

echo "== install"
run "apt-get install -y -q --no-install-recommends /tmp/$(basename "$deb")"
echo "== kivo --version"
run 'kivo --version'
echo "== kivo-batch --version"
run 'kivo-batch --version'
echo "== kivo-batch run on an installed example"
run 'cd /tmp && kivo-batch run "/usr/share/kivo/examples/basic flow loop/basic flow loop.smp" --test sp'
echo "== desktop-file-validate"
run 'desktop-file-validate /usr/share/applications/kivo.desktop && echo valid'
echo "== appstreamcli validate"
run 'appstreamcli validate --no-net /usr/share/metainfo/org.kivo.Kivo.metainfo.xml'
echo "== man -w kivo-batch"
run 'man -w kivo-batch && man -w kivo'
echo "== bash completion"
run 'test -f /usr/share/bash-completion/completions/kivo-batch && echo present'
echo "== the program starts, as a student without a display server would see it"
run 'touch /tmp/stamp && mkdir -p /tmp/student && cd /tmp/student && HOME=/tmp/student QT_QPA_PLATFORM=offscreen \
     timeout 5 kivo; test $? -eq 124 && echo "ran 5 s, stopped by the timeout"'
echo "== nothing written under the prefix"
run 'test -z "$(find /usr -newer /tmp/stamp -print -quit)" && dpkg --verify kivo && echo "every file as packaged, none added"'

echo "== remove"
run 'apt-get purge -y -q kivo && apt-get autoremove --purge -y -q'
run 'find / -xdev -not -path "/proc/*" -not -path "/tmp/*" -not -path "/var/cache/*" -not -path "/var/lib/apt/*" \
       -not -path "/var/lib/dpkg/*" -not -path "/var/log/*" -not -path "/root/*" | sort > /tmp/after.txt'
if run 'diff /tmp/before.txt /tmp/after.txt'; then
  echo "Removed: the root is as it was before the install."
else
  echo "Left behind after removal (above)." >&2
  exit 1
fi
