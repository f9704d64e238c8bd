#!/usr/bin/env bash
# bench-cleanup.sh [ROUNDS [backup]]
# Delete All in each mode and Recovery through the real window, each against a bare loop of
# system calls over a fresh copy of the same tree (bench/cleanup_bench.cpp), with the
# machine's load before and after: other work on the machine moves the figures.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$repo/build/windows
[[ -f $build/cleanup_bench.exe ]] || { echo "no $build/cleanup_bench.exe: ninja -C $build cleanup_bench" >&2; exit 2; }
echo "load before: $(uptime)"
DV_NEEDS_DISPLAY=1 DV_TIMEOUT=21600 bash "$repo/scripts/wine-exec.sh" "$build/cleanup_bench.exe" "${1:-1}" ${2:-}
echo "load after:  $(uptime)"
echo "machine: $(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1), $(wine --version 2>/dev/null)"
