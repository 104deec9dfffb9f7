#!/usr/bin/env bash
# How long the game takes from exec to its first title frame, and where the
# time goes. Runs the real program RUNS times, one after the other, each
# under a fresh Xvfb at 1280x720 with a scratch settings directory and the
# null sound device, with VORLANE_STARTUP_TRACE set to the moment of exec and
# --quit-after-title, so it ends once the title is out. Prints the median and
# worst exec -> first title frame, then the phases by their median length.
# Usage: tools/startup-time.sh [RUNS] [RUN_DIR] [TOP]   (defaults: 10, build/run, 15)
# Run it on a quiet machine (see uptime): the figures are wall time.
#
# The X server runs with -noreset, as a desktop's does in effect (other
# clients stay connected): SDL 1.2 opens and closes a connection to probe
# the display before it opens its own, and a server with no other client
# resets in between, which costs about 100 ms and, under load, often refuses
# the second connection. XVFB_SERVER_ARGS replaces the server's arguments.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-10}"
run="${2:-$root/build/run}"
top="${3:-15}"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cd "$run"

# One run's trace in $scratch/trace.N. Under load the X server now and then
# refuses a connection at once; such a start is tried again.
one() {
  local n="$1" try
  for try in 1 2 3 4 5 6 7 8 9 10; do
    rm -rf "$scratch/home"
    if XDG_CONFIG_HOME="$scratch/home/config" XDG_DATA_HOME="$scratch/home/data" \
      SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}" \
      xvfb-run -a -s "${XVFB_SERVER_ARGS:--screen 0 1280x720x24 -noreset}" \
      bash -c 'VORLANE_STARTUP_TRACE=$EPOCHREALTIME exec ./vorlane --window=1280x720 --quit-after-title' \
      >"$scratch/out.$n" 2>"$scratch/trace.$n"; then
      grep -q '^startup [0-9.]* [0-9.]* first title frame$' "$scratch/trace.$n" && return 0
    fi
    grep -qE 'Error (opening the window|initializing SDL)|xvfb-run: error' "$scratch/trace.$n" || break
    sleep 1
  done
  echo "run $n failed:" >&2
  cat "$scratch/out.$n" "$scratch/trace.$n" >&2
  exit 1
}

for n in $(seq "$runs"); do one "$n"; done

# Lines: "startup <end ms> <took ms> <phase>". A phase told more than once in
# a run (the loading bar) counts with its sum; "all <kind>" sums every
# "<kind> <file>" of a run (decode, upload, outline). Phases that ended after
# the first title frame are marked: they did not delay it.
head -n 1 "$scratch/trace.1"
for n in $(seq "$runs"); do
  awk -v run="$n" '$1 == "startup" && $2 ~ /^[0-9.]+$/ {
      phase = $4; for (i = 5; i <= NF; i++) phase = phase " " $i
      took[phase] += $3
      last[phase] = $2
      if (phase == "first title frame") total = $2
      if (NF == 5 && $5 ~ /\//) { kinds[$4] += $3; count[$4]++ }
    }
    END {
      printf "%s\t%s\t%s\n", run, "exec -> first title frame", total
      for (p in took) printf "%s\t%s%s\t%s\n", run, p, (last[p] > total ? " (after title)" : ""), took[p]
      for (k in kinds) printf "%s\t%s\t%s\n", run, "all " k " (" count[k] " files)", kinds[k]
    }' "$scratch/trace.$n"
done >"$scratch/table"

# Median (lower middle of an even count) and worst of each phase over the runs.
awk -F'\t' -v runs="$runs" '{ v[$2] = v[$2] " " $3 }
  END {
    for (p in v) {
      n = split(substr(v[p], 2), a, " ")
      for (i = 2; i <= n; i++) { x = a[i]; for (j = i - 1; j >= 1 && a[j] + 0 > x + 0; j--) a[j + 1] = a[j]; a[j + 1] = x }
      printf "%s\t%.1f\t%.1f\t%d\n", p, a[int((n + 1) / 2)], a[n], n
    }
  }' "$scratch/table" | sort -t$'\t' -k2,2gr >"$scratch/summary"

printf 'runs: %s   load before: %s\n' "$runs" "$(cut -d' ' -f1-3 /proc/loadavg)"
awk -F'\t' '$1 == "exec -> first title frame" { printf "exec -> first title frame: median %.1f ms, worst %.1f ms\n", $2, $3 }' "$scratch/summary"
printf '\n%-48s %9s %9s\n' "phase (ms; decodes may run beside the main thread)" median worst
grep -v '^exec -> first title frame' "$scratch/summary" | sed -n "1,${top}p" |
  awk -F'\t' '{ printf "%-48s %9.1f %9.1f\n", $1, $2, $3 }'
