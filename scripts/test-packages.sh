#!/usr/bin/env bash
# test-packages.sh PACKAGE_TESTS.exe [GTEST ARGS...]
# Builds the portable zip and the installer from the windows build the test program
# lies in (scripts/dist.py, into dist/ beside that build), then runs the package tests
# under Wine in a prefix of their own, so that nothing installed or set in the
# project's prefix meets them: state folder packages-state/ beside the build
# (DV_PACKAGES_STATE to change it), the same safety rules (only drive C:). The
# installer and the unpacked zip are handed to the tests as C:\packages\...
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
tests=$(realpath -e -- "${1:?usage: test-packages.sh PACKAGE_TESTS.exe [ARGS...]}")
shift
build=$(dirname "$tests")
out=$(dirname "$build")/dist

python3 "$repo/scripts/dist.py" --build "$build" --out "$out"
version=$(sed -nE 's/^#define DV_VERSION_TEXT "(.*)"$/\1/p' "$build/generated/dustvane_version.h")
setup=Dustvane-$version-setup.exe

export DV_STATE=${DV_PACKAGES_STATE:-$(dirname "$build")/packages-state}
(
  source "$repo/scripts/wine-common.sh"
  dv_lock
  dv_ensure_prefix
  inbox=$WINEPREFIX/drive_c/packages
  rm -rf -- "$inbox"
  mkdir -p "$inbox/portable"
  cp -- "$out/$setup" "$inbox/"
  python3 -m zipfile -e "$out/Dustvane-$version-win64.zip" "$inbox/portable"
)
export DV_SETUP_EXE="C:\\packages\\$setup"
export DV_PORTABLE_EXE='C:\packages\portable\Dustvane\Dustvane.exe'
export DV_NEEDS_DISPLAY=1
exec bash "$repo/scripts/wine-exec.sh" "$tests" "$@"
