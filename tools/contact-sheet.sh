#!/usr/bin/env bash
# Renders a contact sheet of every picture in gfx/ on a dark background, each
# labelled with its file name and pixel size (for the README).
# Usage: tools/contact-sheet.sh [GFX_DIR] [OUTPUT]   (defaults: build/run/gfx, docs/assets.png)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
gfx="${1:-$root/build/run/gfx}"
out="${2:-$root/docs/assets.png}"
font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf

# In the order of the game's resource table, fonts last.
names=(title reticle reticle_glow star
  sky_top sky_bottom sky_left sky_right sky_front sky_back
  player_top player_mid player_bot player_glow_top player_glow_bot
  slaser plasmabullet powerup_anim powerup_glow_anim
  enemy_fighter enemy_fighter_glow enemy_fighter2 enemy_fighter2_glow
  enemy_hammerhead enemy_hammerhead_glow enemy_probe enemy_probe_glow
  enemy_probe2 enemy_probe2_glow enemy_probe3 enemy_probe3_glow
  hud_radar_dials hud_radar_mask hud_bars_mask hud_score hud_power_dials
  hugefont medfont smallfont minifont)

args=()
for n in "${names[@]}"; do
  f="$gfx/$n.png"
  if [ ! -f "$f" ]; then
    echo "missing $f (build first)" >&2
    exit 1
  fi
  size=$(identify -format '%wx%h' "$f")
  args+=(-label "$n.png\n$size" "$f")
done

mkdir -p "$(dirname "$out")"
montage -font "$font" -pointsize 11 -fill '#c8d0e0' -background '#12141c' \
  "${args[@]}" -tile 8x -geometry 160x160+8+8 -depth 8 "$out"
echo "wrote $out"
