#!/usr/bin/env bash
# Builds the fuzz targets (preset "fuzz": clang with libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer, in build-fuzz/) and runs each one for
# SECONDS (default 60). A target's corpus grows in build-fuzz/corpus/<name>,
# starting from its seeds; a crash, leak or hang stops the run with its input
# saved as build-fuzz/findings/<name>/crash-* (or leak-*, timeout-*, oom-*).
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzz_targets
root=$(pwd)/build-fuzz
export ASAN_OPTIONS=${ASAN_OPTIONS:-allocator_may_return_null=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
while IFS=$'\t' read -r name program seeds; do
  [ -n "$name" ] || continue
  corpus=$root/corpus/$name
  findings=$root/findings/$name
  mkdir -p "$corpus" "$findings"
  echo "== fuzzing $name for ${seconds}s"
  if ! "$program" "$corpus" "$seeds" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 \
      -malloc_limit_mb=4096 -max_len=65536 -print_final_stats=1 -artifact_prefix="$findings/" \
      2>"$root/$name.log"; then
    echo "fuzz: $name found a problem; its input is in $findings (log: $root/$name.log)"
    tail -n 60 "$root/$name.log"
    status=1
  fi
  grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb" "$root/$name.log" || true
done <"$root/fuzz-targets.txt"
exit $status
