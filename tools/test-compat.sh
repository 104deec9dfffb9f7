#!/usr/bin/env bash
# Runs the end-to-end tests with sdl12-compat (SDL 1.2 on top of SDL2, what
# many distributions now ship as SDL 1.2) in place of the classic library.
# The system's SDL stays as it is: Debian's libsdl1.2-compat package is
# fetched with apt-get download, unpacked into the build directory and put in
# front of the dynamic loader's search with LD_LIBRARY_PATH, for the game and
# for SDL_image and SDL_mixer alike.
#
#   bash tools/test-compat.sh            # the e2e tests
#   bash tools/test-compat.sh -R Storm   # extra arguments go to CTest
#
# Builds into build/ like tools/test.sh (BUILD_DIR chooses another).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/tools/build.sh"
build="${BUILD_DIR:-$root/build}"
compat="$build/sdl12-compat"
libdir="$compat/root/usr/lib/x86_64-linux-gnu/sdl12-compat"

if [ ! -e "$libdir/libSDL-1.2.so.0" ]; then
  rm -rf "$compat"
  mkdir -p "$compat"
  # apt-get download needs the package lists; fetch them once if it fails.
  if ! (cd "$compat" && apt-get download libsdl1.2-compat); then
    if [ "$(id -u)" -ne 0 ]; then
      echo "apt-get download libsdl1.2-compat failed; run 'sudo apt-get update' first" >&2
      exit 1
    fi
    apt-get update -q
    (cd "$compat" && apt-get download libsdl1.2-compat)
  fi
  dpkg-deb -x "$compat"/libsdl1.2-compat_*.deb "$compat/root"
fi

export LD_LIBRARY_PATH="$libdir${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
# The game must really load it (through SDL2), not the classic library. grep
# reads all of ldd's output: with -q it could stop early, ldd would die of
# SIGPIPE and pipefail would count the match as a failure.
if ! ldd "$build/run/vorlane" | grep "$libdir/libSDL-1.2.so.0" > /dev/null; then
  echo "the game does not load sdl12-compat from $libdir:" >&2
  ldd "$build/run/vorlane" | grep -i sdl >&2
  exit 1
fi
echo "SDL 1.2 is sdl12-compat from $libdir"

# Without a display SDL2 also looks for a Wayland compositor, and libwayland
# complains on standard error when there is no runtime directory to look in,
# as there is none in CI; a desktop session always has one.
runtime="$(mktemp -d)"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"

cd "$build"
xvfb-run -a -s "-screen 0 1280x720x24" \
  ctest --output-on-failure -j"$(nproc)" --timeout 300 -L e2e "$@"
