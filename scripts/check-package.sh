#!/usr/bin/env bash
# Builds the Debian package from the release build and checks it without installing it: the
# desktop entry is valid, the programs, icons and help are where the desktop looks for them, and
# the package names its libraries. With --install it also installs the package on this machine,
# starts the window from the desktop entry's command under a virtual display, and removes the
# package again.
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

if [ "${1:-}" = "--install" ]; then
  apt-get install -y "./$deb" >/dev/null
  data=$(mktemp -d)
  cmd=$(sed -n 's/^Exec=//p' /usr/share/applications/kvarn-5x36.desktop)
  KVARN_DATA_DIR="$data" xvfb-run -a sh -c "$cmd & pid=\$!; sleep 5; kill -0 \$pid && kill \$pid" \
    || { echo "the installed program did not stay up" >&2; exit 1; }
  rm -rf "$data"
  apt-get remove -y kvarn-5x36 >/dev/null
  echo "installed, started from the desktop entry and removed: ok"
fi
