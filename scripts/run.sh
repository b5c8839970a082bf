#!/usr/bin/env bash
# Builds the application and the tool stand-ins (not the tests or benchmarks) and starts VORN
# in lab/, on the emulated board.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/build.sh" vorn xsload xstest
build=${VORN_BUILD_DIR:-$top/build}
cd "$top/lab"
exec "$build/src/ui/vorn" "$@"
