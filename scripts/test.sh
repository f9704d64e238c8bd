#!/usr/bin/env bash
# Builds and runs every test suite, then prints "N passed, N failed".
#   native   unit_* under AddressSanitizer/UndefinedBehaviorSanitizer (ctest)
#   windows  unit_*, wine_* and gui_* under Wine (ctest, two at a time; programs
#            that share a Wine prefix take turns)
#   fuzz     each fuzz target for FUZZ_SECONDS (default 10) over its corpus
# A suite that fails to build counts as one failed test; the test programs
# that did build still run. Fails when anything
# failed or when no test ran at all.
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
mkdir -p build
passed=0
failed=0
problems=()

# Adds the counts of a ctest log ("...% tests passed, F tests failed out of T").
count_ctest() {
  local log=$1 rc=$2 name=$3 line total bad
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
  if [[ -n $line ]]; then
    bad=$(sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/' <<<"$line")
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
    [[ $bad -eq 0 ]] || problems+=("$name: $bad of $total failed")
  elif grep -q 'No tests were found' "$log"; then
    echo "== $name: no tests defined yet"
  fi
  if [[ $rc -ne 0 && ( -z $line || ${bad:-0} -eq 0 ) ]]; then
    failed=$((failed + 1))
    problems+=("$name: ctest exited with $rc")
  fi
}

run_ctest() {
  local kind=$1
  shift
  local log=build/ctest-$kind.log
  echo "== testing build/$kind"
  (cd "build/$kind" && ctest --output-on-failure --no-tests=ignore "$@") 2>&1 | tee "$log"
  count_ctest "$log" "${PIPESTATUS[0]}" "$kind"
}

build_suite() {
  if DV_KEEP_GOING=1 scripts/build.sh "$@"; then
    return 0
  fi
  failed=$((failed + 1))
  problems+=("$1: build failed")
  return 1
}

# Names of the benchmark programs, built with the windows build to keep them compiling.
benches=()
for src in bench/*.cpp; do
  [[ -f $src ]] && benches+=("$(basename "$src" .cpp)")
done

if build_suite native || [[ -f build/native/build.ninja ]]; then
  run_ctest native -j2 --timeout 600
fi

if build_suite windows all "${benches[@]}" || [[ -f build/windows/build.ninja ]]; then
  run_ctest windows -j2 --timeout 900
fi

if build_suite fuzz || [[ -f build/fuzz/build.ninja ]]; then
  for src in fuzz/*.cpp; do
    [[ -f $src ]] || continue
    target=$(basename "$src" .cpp)
    exe=build/fuzz/$target
    work=build/fuzz/corpus/$target
    log=build/fuzz/$target.log
    mkdir -p "$work"
    corpora=("$work")
    [[ -d fuzz/corpus/$target ]] && corpora+=("fuzz/corpus/$target")
    options=(-max_total_time="${FUZZ_SECONDS:-10}" -timeout=10 -rss_limit_mb=2048
             -print_final_stats=1 -artifact_prefix="build/fuzz/$target-")
    [[ -f fuzz/$target.dict ]] && options+=(-dict="fuzz/$target.dict")
    echo "== fuzzing $target for ${FUZZ_SECONDS:-10} s"
    if [[ ! -x $exe ]]; then
      failed=$((failed + 1))
      problems+=("fuzz: $target was not built")
    elif "$exe" "${options[@]}" "${corpora[@]}" >"$log" 2>&1; then
      passed=$((passed + 1))
      grep -E '^stat::number_of_executed_units' "$log" | sed "s/^/   $target /"
    else
      failed=$((failed + 1))
      problems+=("fuzz: $target found a fault (log: $log)")
      tail -n 60 "$log"
    fi
  done
fi

echo
echo "== all suites took $((SECONDS / 60)) min $((SECONDS % 60)) s"
for p in "${problems[@]}"; do
  echo "FAILED: $p"
done
if [[ $((passed + failed)) -eq 0 ]]; then
  echo "FAILED: no test ran (no unit, Wine, gui or fuzz test is defined yet)"
fi
echo "$passed passed, $failed failed"
[[ $failed -eq 0 && $passed -gt 0 ]]
