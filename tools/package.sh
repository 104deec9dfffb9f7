#!/usr/bin/env bash
# Builds vorlane's Debian packages: vorlane (the launcher and the program, with
# the menu entry, icons, manual page and AppStream metadata) and vorlane-data
# (the pictures, music and shaders), then checks them with lintian.
#
#   bash tools/package.sh             # the .deb files in build-deb/
#   bash tools/package.sh --test      # the package test: builds them into
#                                     # build/package/ and checks what they hold
#   bash tools/package.sh --no-setup  # build only; status 77 when tools are missing
#
# Installs what is missing first, like tools/setup.sh (as root with apt-get,
# otherwise it prints the apt-get line and fails). BUILD_DEB_DIR chooses the
# output directory (outside the tree, or a build* directory in it);
# DEB_BUILD_OPTIONS is passed on (nocheck skips the tests).
# The build runs on a copy of the source tree in the output directory, so the
# tree itself stays as it is.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${BUILD_DEB_DIR:-$root/build-deb}"

mode=build
case "${1:-}" in
  "") ;;
  --test) mode=test ;;
  --no-setup) mode=no-setup ;;
  *)
    echo "usage: bash tools/package.sh [--test | --no-setup]" >&2
    exit 2
    ;;
esac

# The packaging tools, beyond what tools/setup.sh installs for the game.
PACKAGES=(dpkg-dev debhelper lintian)

if [ "$mode" = no-setup ]; then
  # Results of an earlier build must not pass for this one's.
  rm -f "$out"/*.deb "$out"/*.changes "$out"/*.buildinfo
  for tool in dpkg-buildpackage dpkg-checkbuilddeps dh lintian; do
    command -v "$tool" >/dev/null || {
      echo "$tool is missing; bash tools/package.sh installs the packaging tools." >&2
      exit 77
    }
  done
  (cd "$root" && dpkg-checkbuilddeps) || {
    echo "bash tools/package.sh installs the build dependencies." >&2
    exit 77
  }
else
  bash "$root/tools/setup.sh" "${PACKAGES[@]}"
  # debian/control is the authority on what the package build needs.
  if ! (cd "$root" && dpkg-checkbuilddeps) 2>/dev/null; then
    if [ "$(id -u)" -ne 0 ]; then
      echo "Building the package needs more Debian packages. Install them with:" >&2
      echo "  sudo apt-get build-dep $root" >&2
      exit 1
    fi
    DEBIAN_FRONTEND=noninteractive apt-get build-dep -y -q --no-install-recommends "$root"
  fi
fi

if [ "$mode" = test ]; then
  bash "$root/tools/build.sh"
  cd "${BUILD_DIR:-$root/build}"
  VORLANE_PACKAGE_TEST=1 exec ctest --output-on-failure --timeout 3600 -L '^package$'
fi

# The copy: everything but build directories and version control.
version="$(cd "$root" && dpkg-parsechangelog -S Version)"
src="$out/vorlane-$version"
rm -rf "$src" "$out"/*.deb "$out"/*.changes "$out"/*.buildinfo
mkdir -p "$src"
tar -C "$root" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$src" -xf -

# Through ccache when it is there: the copy lies at the same path every time.
if [ -d /usr/lib/ccache ]; then
  export PATH="/usr/lib/ccache:$PATH"
fi
# The package build runs its own tests; never the package test again.
unset VORLANE_PACKAGE_TEST
(cd "$src" && dpkg-buildpackage -us -uc -b -j"$(nproc)")

changes="$out/vorlane_${version}_$(dpkg --print-architecture).changes"
echo "Built:"
ls -1 "$out"/*.deb
echo "lintian:"
lintian --fail-on error --display-info "$changes"
