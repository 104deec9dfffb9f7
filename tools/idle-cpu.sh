#!/usr/bin/env bash
# The processor time the game takes while it shows its title page and nobody
# touches it: starts the game under Xvfb with a scratch settings directory,
# waits for the title, then reads the game process's user + system time over
# a stretch of wall time. Prints the share of one core (1.0 = one core busy).
# Usage: tools/idle-cpu.sh [SECONDS] [RUN_DIR]   (defaults: 30, build/run)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
secs="${1:-30}"
run="${2:-$root/build/run}"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

cd "$run"
XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" SDL_AUDIODRIVER=dummy \
  xvfb-run -a -s "-screen 0 1280x720x24" ./vorlane >"$scratch/out.txt" 2>&1 &
wrapper=$!
game=""
for _ in $(seq 200); do
  game="$(pgrep -P "$wrapper" -x vorlane || true)"
  [ -n "$game" ] && grep -q "Used texture memory" "$scratch/out.txt" && break
  sleep 0.1
done
if [ -z "$game" ]; then
  echo "the game did not start:" >&2
  cat "$scratch/out.txt" >&2
  exit 1
fi
sleep 3 # the title page's fade in and the first frames

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz="$(getconf CLK_TCK)"
t0="$(date +%s.%N)"; c0="$(ticks "$game")"
sleep "$secs"
t1="$(date +%s.%N)"; c1="$(ticks "$game")"
kill "$game"
wait "$wrapper" || true
awk -v c0="$c0" -v c1="$c1" -v t0="$t0" -v t1="$t1" -v hz="$hz" \
  'BEGIN { printf "title page: %.3f of a core over %.1f s\n", (c1 - c0) / hz / (t1 - t0), t1 - t0 }'
