#!/usr/bin/env bash
# The main job: set up, build, and run the listener on the example script.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh default
# The example writes its record file in the current folder: keep that out
# of the source tree.
root=$(pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$root/build/bin/listener" "$root/examples/binary_records.ms"
