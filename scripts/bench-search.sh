#!/usr/bin/env bash
# bench-search.sh [BUILD_DIR] [--reference]
# Runs search_bench.exe (windows build in BUILD_DIR, default build/windows) under
# Wine on a generated tree of the test drive, then times GNU find with the same
# patterns on the same tree from the host, and prints the ratio engine / find.
# --reference also times one system wildcard search per pattern and folder (slow).
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$repo/build/windows}
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
    t=$(awk -v a="$(date +%s.%N)" -v b="$start" 'BEGIN { print a - b }')
    best=$(awk -v t="$t" -v b="${best:-}" 'BEGIN { print (b == "" || t < b) ? t : b }')
  done
  engine=$(sed -n "s/^engine set $set median_s=\([0-9.]*\).*/\1/p" "$out")
  printf 'find set %d: %d files, best of 3 %.4f s; engine/find = %.1f\n' \
    "$set" "$count" "$best" "$(awk -v e="$engine" -v b="$best" 'BEGIN { print e / b }')"
done
