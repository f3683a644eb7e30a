#!/usr/bin/env bash
# Installs every Debian package the project needs. Idempotent: apt-get update runs only when a
# package is missing, so repeated runs cost nothing.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config ninja-build ccache git
  # Qt Charts' CMake package needs Qt OpenGL, which qt6-charts-dev only recommends; the
  # toolkit's Russian texts for file dialogs and context menus come in their own package.
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev qt6-translations-l10n
  libcurl4-openssl-dev zlib1g-dev libssl-dev
  libsimpleini-dev libxlsxwriter-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth
  # Packaging checks (the .desktop file) and the icon renderer of scripts/make-icons.sh.
  desktop-file-utils librsvg2-bin dpkg-dev fakeroot
  python3 openssl
  # scripts/fuzz.sh builds the fuzz targets with clang's libFuzzer.
  clang libclang-rt-14-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
