#!/usr/bin/env bash
# Builds the Debian package from the release build and checks it without installing it: the
# desktop entry is valid, the programs, icons and help are where the desktop looks for them, and
# the package names its libraries. With --install it also installs the package on this machine,
# starts the window from the desktop entry's command under a virtual display, and removes the
# package again. With --chroot DIR it does the same inside DIR, a copy of a fresh Debian 12
# (debootstrap --variant=minbase bookworm DIR), so nothing but the package's own dependencies
# is there; DIR is changed.
set -euo pipefail
cd "$(dirname "$0")/.."
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target Kvarn_5x36 kvarn-cli
(cd build/release && cpack -G DEB >/dev/null)
deb=$(ls build/release/kvarn-5x36_*_amd64.deb)
echo "package: $deb"

desktop-file-validate desktop/kvarn-5x36.desktop
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/Kvarn_5x36 ./usr/bin/kvarn-cli ./usr/share/applications/kvarn-5x36.desktop \
         ./usr/share/icons/hicolor/scalable/apps/kvarn-5x36.svg \
         ./usr/share/icons/hicolor/48x48/apps/kvarn-5x36.png \
         ./usr/share/doc/kvarn-5x36/help/pages/index.md; do
  grep -q " $f\$" <<<"$contents" || { echo "missing in package: $f" >&2; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6charts6 libcurl4 qt6-qpa-plugins; do
  grep -q "$lib" <<<"$depends" || { echo "package does not depend on $lib" >&2; exit 1; }
done
echo "contents and dependencies: ok"

# Installs the package, starts the program from its desktop entry for a few seconds, removes it.
try_installed() {
  apt-get install -y "$1" >/dev/null
  data=$(mktemp -d)
  cmd=$(sed -n 's/^Exec=//p' /usr/share/applications/kvarn-5x36.desktop)
  KVARN_DATA_DIR="$data" xvfb-run -a sh -c "$cmd & pid=\$!; sleep 5; kill -0 \$pid && kill \$pid" \
    || { echo "the installed program did not stay up" >&2; exit 1; }
  rm -rf "$data"
  apt-get remove -y kvarn-5x36 >/dev/null
}

if [ "${1:-}" = "--chroot" ]; then
  root=$2
  cp "$deb" "$root/tmp/"
  mount -t proc proc "$root/proc"
  trap 'umount "$root/proc"' EXIT
  chroot "$root" sh -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq xvfb xauth >/dev/null'
  chroot "$root" bash -c "$(declare -f try_installed); try_installed /tmp/$(basename "$deb")"
  echo "installed on a fresh system, started from the desktop entry and removed: ok"
fi

if [ "${1:-}" = "--install" ]; then
  try_installed "./$deb"
  echo "installed, started from the desktop entry and removed: ok"
fi
