#!/usr/bin/env bash
# Builds the stream and file fuzzer with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) in build-fuzz-byteharbor/ and runs it for
# SECONDS (default 60), starting from the seeds in corpus/. The corpus grows
# in build-fuzz-byteharbor/corpus; a finding is saved in
# build-fuzz-byteharbor/findings and makes the run fail.
#   byteharbor/tests/fuzz/run.sh [SECONDS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
build=$root/build-fuzz-byteharbor
seconds=${1:-60}
flags="-fsanitize=address,undefined,fuzzer-no-link -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DENABLE_FUZZING=ON \
  "-DCMAKE_C_FLAGS=$flags" "-DCMAKE_CXX_FLAGS=$flags" \
  "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined" \
  "-DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=address,undefined" >/dev/null
cmake --build "$build" --target fuzz_byteharbor_streams
mkdir -p "$build/corpus" "$build/findings"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
"$build/bin/fuzz_byteharbor_streams" "$build/corpus" "$here/corpus" -max_total_time="$seconds" -timeout=20 \
  -rss_limit_mb=4096 -max_len=65536 -print_final_stats=1 -artifact_prefix="$build/findings/"
