#!/usr/bin/env bash
# Installs what is missing, builds the release and starts the program. Extra arguments go to it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release
cmake --build --preset release -j "$(nproc)" --target Kvarn_5x36
exec ./build/release/src/ui/Kvarn_5x36 "$@"
