#!/usr/bin/env bash
# Installs the Debian packages vorlane needs to build, run and test, and any
# named as arguments (tools/package.sh names its packaging tools).
# A no-op when everything is present. As root it installs with apt-get;
# otherwise it prints the one apt-get line to run and fails.
set -euo pipefail

PACKAGES=(
  # build tools and test framework
  build-essential cmake pkg-config clang-format libgtest-dev
  # the game's libraries: classic SDL 1.2, SDL_image, SDL_mixer, OpenGL
  libsdl1.2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev
  libgl-dev libgl1-mesa-dri
  # the asset generator: vector art, glyphs, music encoding
  libcairo2-dev libfreetype-dev fonts-dejavu-core libvorbis-dev libogg-dev
  # headless display and driving the game in end-to-end tests
  xvfb xauth x11-utils xdotool imagemagick
  # tools/test-compat.sh: sdl12-compat, fetched there, runs on SDL2
  libsdl2-2.0-0
  # install checks: desktop entry, software-centre metadata, manual page
  desktop-file-utils appstream man-db
  "$@"
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "vorlane needs these Debian packages. Install them with:" >&2
  echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
