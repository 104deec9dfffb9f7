#!/usr/bin/env bash
# Builds everything and starts the game from its run directory.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/tools/build.sh"
run="${BUILD_DIR:-$root/build}/run"
if [ ! -x "$run/vorlane" ]; then
  echo "vorlane: the game program is not built yet (only the engine exists so far)." >&2
  exit 1
fi
cd "$run"
exec ./vorlane
