#!/usr/bin/env bash
# Installs what is missing, then configures and builds everything into build/.
# Used by play.sh and test.sh; BUILD_DIR and BUILD_TYPE may be set.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/tools/setup.sh"
build="${BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$build" -j"$(nproc)"
