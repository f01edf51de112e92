#!/usr/bin/env bash
# The main job: set up, build, and run the listener on the example script.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh default
build/bin/listener examples/binary_records.ms
