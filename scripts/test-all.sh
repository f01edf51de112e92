#!/usr/bin/env bash
# Sets up, builds and runs every test: the normal build, then again under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
for preset in default asan; do
  echo "== $preset build"
  scripts/build.sh "$preset"
  echo "== $preset tests"
  ctest --preset "$preset" -j2
done
echo "== fuzzing"
scripts/fuzz.sh 60
