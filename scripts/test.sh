#!/usr/bin/env bash
# Builds VORN and runs every test (ui tests on Qt's offscreen platform).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/build.sh"
build=${VORN_BUILD_DIR:-$top/build}
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" "$@"
