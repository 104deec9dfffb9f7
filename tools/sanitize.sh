#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs the test suite there under Xvfb. Any memory error or
# undefined behaviour ends the program that made it with a failure, so the test
# that ran it fails.
#
#   bash tools/sanitize.sh              # every test, then a 3-minute bot run
#   bash tools/sanitize.sh -LE e2e      # extra arguments go to CTest (no bot run)
#
# ASAN_BUILD_DIR chooses another build directory.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/tools/setup.sh"
build="${ASAN_BUILD_DIR:-$root/build-asan}"

# GCC's flow analysis sees the sanitizer checks and then warns of values "maybe
# used uninitialized" inside the standard library (std::regex); the plain build
# checks that warning.
flags="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined -Wno-maybe-uninitialized"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null

# Leak checking is off. The program keeps its singletons (scenes, fader,
# resources, the game) alive until the process ends by design, and Mesa,
# llvmpipe, SDL and Xlib leave allocations behind at exit that are not ours.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=0:halt_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# The generators run under the sanitizers during the build as well.
cmake --build "$build" -j"$(nproc)"

cd "$build"
# The sanitized game is several times slower on software GL: the e2e tests get
# more time, and their programs run one or two at a time.
xvfb-run -a -s "-screen 0 1280x720x24" \
  ctest --output-on-failure -j"$(nproc)" --timeout 600 "$@"

# A full run (no CTest arguments) also plays three simulated minutes with the
# play-test bot: the whole game, drawing included, through several waves.
[ $# -eq 0 ] || exit 0
cd "$build/run"
for attempt in 1 2 3 4 5; do
  set +e
  xvfb-run -a -s "-screen 0 1280x720x24" ../tools/bot/vorlane_bot 1 3 --size 320x180 >bot-asan.log 2>&1
  rc=$?
  set -e
  # The X server of this run may refuse the very first connection under load;
  # that is no finding of the sanitizers, so the run is started again.
  if [ $rc -ne 0 ] && grep -q "Couldn't open X11 display\|Error opening the window" bot-asan.log; then
    continue
  fi
  break
done
cat bot-asan.log
exit $rc
