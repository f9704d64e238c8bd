#!/usr/bin/env bash
# bench-search.sh [BUILD_DIR] [--reference]
# Runs search_bench.exe (windows build in BUILD_DIR, default /tmp/dv-search/win) under
# Wine on a generated tree of the test drive, then times GNU find with the same
# patterns on the same tree from the host, and prints the ratio engine / find.
# --reference also times one system wildcard search per pattern and folder (slow).
set -euo pipefail
build=${1:-/tmp/dv-search/win}
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe=$build/search_bench.exe
[[ -f $exe ]] || { echo "no $exe: ninja -C $build search_bench" >&2; exit 2; }

out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$repo/scripts/wine-exec.sh" "$exe" ${2:-} | tr -d '\r' >"$out"
cat "$out"

tree=$(sed -n 's/^unix tree //p' "$out")
[[ -d $tree ]] || { echo "the tree $tree is gone" >&2; exit 1; }

for set in 0 3; do
  read -r -a patterns <<<"$(sed -n "s/^patterns set $set: //p" "$out")"
  args=()
  for p in "${patterns[@]}"; do
    (( ${#args[@]} )) && args+=(-o)
    args+=(-iname "$p")
  done
  best=
  for run in 1 2 3; do
    start=$(date +%s.%N)
    count=$(find "$tree" \( "${args[@]}" \) -type f | wc -l)
    t=$(echo "$(date +%s.%N) - $start" | bc -l)
    if [[ -z $best ]] || (( $(echo "$t < $best" | bc -l) )); then best=$t; fi
  done
  engine=$(sed -n "s/^engine set $set median_s=//p" "$out")
  printf 'find set %d: %d files, best of 3 %.4f s; engine/find = %.1f\n' \
    "$set" "$count" "$best" "$(echo "$engine / $best" | bc -l)"
done
