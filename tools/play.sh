#!/usr/bin/env bash
# Builds everything and starts the game from its run directory, where gfx/,
# sfx/ and shaders/ sit beside the program.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/tools/build.sh"
cd "${BUILD_DIR:-$root/build}/run"
exec ./vorlane
