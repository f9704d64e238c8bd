#!/usr/bin/env bash
# build.sh native|windows|fuzz [TARGET...]
# Configures build/<kind> when it has no build files yet, then builds it
# incrementally (all targets, or the ones named).
#   native   g++ Debug with AddressSanitizer and UndefinedBehaviorSanitizer
#   windows  mingw-w64 Release: Dustvane.exe and the test programs run under Wine
#   fuzz     clang with libFuzzer
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
kind=${1:?usage: build.sh native|windows|fuzz [TARGET...]}
shift
dir=$repo/build/$kind

case $kind in
  native)  args=(-DCMAKE_BUILD_TYPE=Debug) ;;
  windows) args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64.cmake") ;;
  fuzz)    args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DDV_FUZZ=ON
                 -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang) ;;
  *) echo "build: unknown build kind: $kind" >&2; exit 2 ;;
esac

mkdir -p "$repo/build"
if [[ ! -f $dir/build.ninja ]]; then
  echo "== configuring build/$kind"
  cmake -S "$repo" -B "$dir" -G Ninja "${args[@]}" >"$repo/build/configure-$kind.log" 2>&1 || {
    cat "$repo/build/configure-$kind.log" >&2
    rm -f "$dir/build.ninja"
    exit 1
  }
fi
echo "== building build/$kind ${*:-}"
# DV_KEEP_GOING=1 builds all it can even after a failure (the test runner).
ninja -C "$dir" -j "${JOBS:-2}" ${DV_KEEP_GOING:+-k 0} "$@"
