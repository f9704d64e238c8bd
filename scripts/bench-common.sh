# Shared by the benchmark scripts (sourced after wine-common.sh). The caller sets repo,
# build (the windows build folder), trees (where the trees lie), names (the trees) and
# drives (their letters, in the same order).

# The memory of the running Dustvane.exe of this prefix, as Linux counts it: resident
# memory, and the part of it that is anonymous (the heap: what Windows calls private).
memory_of_program() {
  local p
  for p in $(pgrep -f 'Dustvane\.exe' || true); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
    awk '/^VmRSS|^RssAnon/ { printf "%s %.1f MB ", $1, $2 / 1024 } END { print "" }' "/proc/$p/status"
    return 0
  done
  echo "no Dustvane.exe process found"
}

# Runs a Windows program with the trees mapped as its drives: once the program has shown
# that it waits (bench-waiting on its test drive), the drives are added to this run's
# prefix; wine-exec.sh removes them when the run ends.
run_mapped() {
  local exe=$1 out=$2 pid t i args=()
  shift 2
  for i in "${!names[@]}"; do args+=("${drives[$i]}:${names[$i]}"); done
  "$repo/scripts/wine-exec.sh" "$build/$exe.exe" "${args[@]}" "$@" >"$out" 2>&1 &
  pid=$!
  for ((i = 0; i < 1200; i++)); do
    t=$(readlink "$WINEPREFIX/dosdevices/t:" 2>/dev/null || true)
    [[ -n $t && -e $t/bench-waiting ]] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  for i in "${!names[@]}"; do
    ln -sfn "$trees/${names[$i]}" "$WINEPREFIX/dosdevices/$(tr 'A-Z' 'a-z' <<<"${drives[$i]}"):"
  done
  while kill -0 "$pid" 2>/dev/null; do
    if [[ -n $t && -e $t/bench-memory-request ]]; then
      rm -f -- "$t/bench-memory-request"
      memory_of_program >"$t/bench-memory.tmp" && mv -- "$t/bench-memory.tmp" "$t/bench-memory.txt"
    fi
    sleep 0.05
  done
  wait "$pid" || { cat "$out"; echo "$exe failed" >&2; return 1; }
  tr -d '\r' <"$out" >"$out.txt"
}
