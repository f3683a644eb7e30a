#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test: the release build
# (window included, GUI tests on the offscreen platform) and the engine again under
# AddressSanitizer and UndefinedBehaviorSanitizer (built without Qt, so a layering slip fails).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

export QT_QPA_PLATFORM=offscreen
# Compiler cache entries are shared between checkouts in different folders.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1

cmake --preset release
cmake --build --preset release -j "$jobs"
ctest --preset release -j "$jobs"

cmake --preset asan
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"
