#!/usr/bin/env bash
# Kills kvarn-cli (SIGKILL) at random moments while it rewrites each data file and checks that
# every file is then its old or its new version and that the next start works.
#   scripts/kill-test.sh [--rounds N] [--seed S] [CASE...]
# N rounds per file (default 200); CASE is one of draws, stakes, rating, regulars, names,
# scenario (default: all). Prints per file how the kills ended; exits non-zero on a failure.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

rounds=200
seed=
cases=()
while [ $# -gt 0 ]; do
  case "$1" in
    --rounds) rounds=$2; shift 2 ;;
    --seed) seed=$2; shift 2 ;;
    *) cases+=("$1"); shift ;;
  esac
done

filter='Files/KillTest.*'
if [ ${#cases[@]} -gt 0 ]; then
  filter=
  for c in "${cases[@]}"; do filter+="Files/KillTest.*/$c:"; done
fi

export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
[ -d build/release ] || cmake --preset release
cmake --build --preset release --target test_cli -j2
KVARN_KILL_ROUNDS=$rounds KVARN_KILL_SEED=$seed \
  ./build/release/tests/test_cli --gtest_filter="$filter"
