#!/usr/bin/env bash
# Builds everything and runs the whole test suite. Tests that need a display
# get one from Xvfb; end-to-end tests start Xvfb servers of their own.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/tools/build.sh"
build="${BUILD_DIR:-$root/build}"
cd "$build"
exec xvfb-run -a -s "-screen 0 1280x720x24" \
  ctest --output-on-failure -j"$(nproc)" --timeout 300 "$@"
