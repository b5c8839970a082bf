#!/usr/bin/env bash
# Builds VORN and starts it in lab/, on the emulated board.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/build.sh"
build=${VORN_BUILD_DIR:-$top/build}
cd "$top/lab"
exec "$build/src/ui/vorn" "$@"
