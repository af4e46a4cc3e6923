#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number
# of seconds (default 60), seeded from tests/data. A crash, leak, hang or
# sanitizer report fails the run; the reproducer is left in the run folder.
#   bash fuzz/run.sh [seconds] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
seconds=${1:-60}; shift || true
build=$top/build-fuzz
jobs=$(nproc 2>/dev/null || echo 2)

CC=clang CXX=clang++ cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUORPRN_FUZZ=ON -DQUORPRN_BUILD_TESTS=OFF -DQUORPRN_BUILD_BENCH=OFF -DQUORPRN_BUILD_TOOLS=OFF >/dev/null

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in fuzz/fuzz_*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
cmake --build "$build" -j"$jobs" --target "${targets[@]}"

# Seeds per target: the test data that the parser under test reads.
seeds_for() {
  case "$1" in
    fuzz_template) echo "tests/data/templates" ;;
    fuzz_reg*) echo "tests/data/reg" ;;
    fuzz_spooler_json) echo "tests/data/spooler" ;;
    fuzz_redirect) echo "tests/data/redirect" ;;
    *) echo "" ;;
  esac
}

# Targets whose library code reports bad input on standard error: closed, so
# that the log holds the fuzzer's own lines (crash reports still reach it).
flags_for() {
  case "$1" in
    fuzz_spooler_json|fuzz_redirect) echo "-close_fd_mask=2" ;;
    *) echo "" ;;
  esac
}

status=0
for t in "${targets[@]}"; do
  run=$top/fuzz/corpus-run/$t
  mkdir -p "$run/corpus" "$run/artifacts"
  seeds=$(seeds_for "$t")
  if [ -n "$seeds" ] && [ -d "$seeds" ]; then
    find "$seeds" -type f -exec cp -n {} "$run/corpus/" \; 2>/dev/null || true
  fi
  echo "== $t for ${seconds}s"
  if ! ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 \
       "$build/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -max_len=65536 -artifact_prefix="$run/artifacts/" -print_final_stats=1 $(flags_for "$t") \
       "$run/corpus" 2>"$run/log.txt"; then
    echo "!! $t failed; see $run/log.txt"; tail -n 40 "$run/log.txt"; status=1
  else
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec)|^#[0-9]+.*DONE' "$run/log.txt" | tail -n 3 || true
  fi
done
exit $status
