#!/usr/bin/env bash
# The main job: set up, build, and run the listener on the example scripts.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh default
# The examples write their files in the current folder: keep them out of
# the source tree.
root=$(pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$root/build/bin/listener" "$root/examples/binary_records.ms"
"$root/build/bin/listener" "$root/examples/scene_tour.ms"
"$root/build/bin/listener" "$root/examples/bake.ms"
