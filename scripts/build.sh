#!/usr/bin/env bash
# Configures and builds VORN into build/ (or $VORN_BUILD_DIR). Extra cmake options in $VORN_CMAKE_ARGS.
# With target names as arguments it builds only those (and what they need); without, everything.
# Jobs: $CMAKE_BUILD_PARALLEL_LEVEL when set, else one per core.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${VORN_BUILD_DIR:-$top/build}
# shellcheck disable=SC2086
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${VORN_BUILD_TYPE:-RelWithDebInfo} ${VORN_CMAKE_ARGS:-}
targets=()
for target in "$@"; do
  targets+=(--target "$target")
done
cmake --build "$build" -j "${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}" "${targets[@]}"
