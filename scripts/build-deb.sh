#!/usr/bin/env bash
# Builds the Debian package of the game and checks it with lintian; with --autopkgtest it also runs
# the package's own tests (debian/tests) on this machine.
#
# Usage: scripts/build-deb.sh [--autopkgtest]
# It installs what a fresh Debian machine lacks (apt-get, as root or through sudo): build-essential,
# dpkg-dev, debhelper, lintian, the package's Build-Depends, and autopkgtest when asked. It copies
# the source tree into build-deb/source (the files git knows, or everything but the build folders
# outside a git checkout), builds there with `dpkg-buildpackage -us -uc -b`, which runs the test
# suite unless DEB_BUILD_OPTIONS holds nocheck, and leaves the results in build-deb/:
# veskar_VERSION_ARCH.deb, its debug symbols, .buildinfo and .changes, and the source package
# (.dsc, .tar.xz) that lintian checks beside them. lintian fails the script on any error or warning.
#
# --autopkgtest runs autopkgtest with the null virtualisation server: it installs the package and
# its test dependencies on this machine, so it needs root (or sudo). The package is removed again
# afterwards unless it was installed before; the test dependencies stay. Logs in build-deb/autopkgtest.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/common.sh

run_autopkgtest=no
case "${1:-}" in
  "") ;;
  --autopkgtest) run_autopkgtest=yes ;;
  *)
    echo "usage: scripts/build-deb.sh [--autopkgtest]" >&2
    exit 2
    ;;
esac
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

# DEB_BUILD_OPTIONS=nocheck skips the tests; the nocheck profile then also leaves out their
# Build-Depends.
profile=()
if [[ " ${DEB_BUILD_OPTIONS:-} " == *" nocheck "* ]]; then
  profile=(-Pnocheck)
fi

# ---- tools and Build-Depends ---------------------------------------------------------------------
ensure_packages build-essential dpkg-dev debhelper lintian
[ "$run_autopkgtest" = yes ] && ensure_packages autopkgtest
if ! dpkg-checkbuilddeps "${profile[@]}" >/dev/null 2>&1; then
  echo "Installing the Build-Depends"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get build-dep -y --no-install-recommends "${profile[@]}" ./
fi

# ---- a clean copy of the source tree -------------------------------------------------------------
out="build-deb"
rm -rf "$out"
mkdir -p "$out/source"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  # Tracked files as they are now, and new ones not ignored; a tracked file deleted since is left out.
  git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' file; do [ -e "$file" ] && printf '%s\0' "$file"; done |
    tar --null --files-from=- -cf - | tar -xf - -C "$out/source"
else
  tar --exclude='./build*' --exclude='./.git' -cf - . | tar -xf - -C "$out/source"
fi

# ---- the package --------------------------------------------------------------------------------
# The source package too, only so that lintian checks the packaging itself (debian/copyright, the
# tests' control file). The results go into the parent of the source tree, build-deb/; the tree is
# cleaned after the build.
(cd "$out" && dpkg-source --build source)
(cd "$out/source" && dpkg-buildpackage -us -uc -b --post-clean -J"$(nproc)" "${profile[@]}")
version=$(dpkg-parsechangelog -l debian/changelog -S Version)
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
deb="$out/veskar_${version}_${arch}.deb"

echo "=== lintian"
lintian --fail-on error,warning --display-info "$out/veskar_${version}.dsc" "$out/veskar_${version}_${arch}.changes"
echo "lintian: no error, no warning"

# ---- the package's own tests --------------------------------------------------------------------
if [ "$run_autopkgtest" = yes ]; then
  installed_before=no
  dpkg-query -W -f='${Status}' veskar 2>/dev/null | grep -q 'install ok installed' && installed_before=yes
  status=0
  $sudo autopkgtest --output-dir "$out/autopkgtest" --no-built-binaries "$deb" "$out/source/" -- null ||
    status=$?
  if [ "$installed_before" = no ]; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y veskar >/dev/null
  fi
  [ "$status" -eq 0 ] || { echo "autopkgtest failed (status $status)" >&2; exit 1; }
fi

echo "Built: $deb and its debug symbols beside it in $out/"
echo "Install with: sudo apt install ./$deb"
