#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer on)
# and runs them.
#   scripts/fuzz.sh [SECONDS] [TARGET...]   run each target for SECONDS (default 30), new inputs
#                                            go to build/fuzz/work/<target>, crashes to
#                                            build/fuzz/crashes/<target>
#   scripts/fuzz.sh --regress [TARGET...]   run every target once over its seed corpus only
# Targets are the fuzz_*.cpp files of tests/fuzz; the seed corpus of fuzz_x is
# tests/fuzz/corpus/x. Prints the executions per target; exits non-zero when a target failed.
# An input that found a fault belongs in the seed corpus once the fault is mended: the normal
# test builds replay every seed through every target (ctest -R '^fuzz\.').
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

mode=run
seconds=30
if [ "${1:-}" = "--regress" ]; then
  mode=regress
  shift
elif [[ "${1:-}" =~ ^[0-9]+$ ]]; then
  seconds=$1
  shift
fi

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in tests/fuzz/fuzz_*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi

bash scripts/install-deps.sh
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
build=build/fuzz
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
flags+=" -fno-omit-frame-pointer -O1 -gline-tables-only"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DKVARN_FUZZ=ON -DKVARN_GUI=OFF -DKVARN_TESTS=OFF -DKVARN_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$flags" >/dev/null
fi
nice -n 19 cmake --build "$build" -j "${FUZZ_JOBS:-2}" --target kvarn_fuzz_seeds "${targets[@]}"
# The binary seeds come from the tests' archive builders.
"$build/tests/fuzz/kvarn_fuzz_seeds" "$build/seeds"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
# The stakes and names targets rewrite a file per input; a memory file system keeps them fast.
if [ -z "${TMPDIR:-}" ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
export UBSAN_OPTIONS="print_stacktrace=1"
failed=0
for t in "${targets[@]}"; do
  name=${t#fuzz_}
  seeds=("tests/fuzz/corpus/$name")
  if [ -d "$build/seeds/$name" ]; then seeds+=("$build/seeds/$name"); fi
  log="$build/logs/$t.log"
  mkdir -p "$(dirname "$log")"
  if [ "$mode" = regress ]; then
    # -runs=0: every seed is executed once, no mutation.
    if "$build/tests/fuzz/$t" -runs=0 "${seeds[@]}" >"$log" 2>&1; then
      echo "$t: $(find "${seeds[@]}" -type f | wc -l) seeds ok"
    else
      echo "$t: FAILED (see $log)"
      failed=1
    fi
    continue
  fi
  work="$build/work/$t"
  crashes="$build/crashes/$t"
  mkdir -p "$work" "$crashes"
  if "$build/tests/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
      -artifact_prefix="$crashes/" "$work" "${seeds[@]}" >"$log" 2>&1; then
    status=ok
  else
    status="FAILED (see $log and $crashes)"
    failed=1
  fi
  # "Done N runs" at a clean end; the last "#N" status line after a failure.
  runs=$(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log" | tail -1)
  if [ -z "$runs" ]; then
    runs=$(sed -n 's/^#\([0-9]*\).*/\1/p' "$log" | tail -1)
  fi
  echo "$t: ${runs:-?} executions in ${seconds}s, $status"
done
exit $failed
