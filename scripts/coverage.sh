#!/usr/bin/env bash
# Line coverage of src/ by every test: a Debug build with --coverage into build-coverage/, every
# test run once, then gcovr (Debian's package) prints the line coverage of src/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$top/build-coverage
if ! command -v gcovr >/dev/null; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get install -y -q --no-install-recommends gcovr
fi
find "$build" -name '*.gcda' -delete 2>/dev/null || true
VORN_BUILD_DIR="$build" VORN_BUILD_TYPE=Debug \
  VORN_CMAKE_ARGS="-DVORN_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage" \
  "$top/scripts/test.sh" >/dev/null
gcovr --root "$top" --filter "$top/src/" --object-directory "$build" \
  --exclude-unreachable-branches --print-summary 2>"$build/gcovr.log" | tail -n 3
