#!/usr/bin/env bash
# bench-caches.sh [BUILD_DIR]
# Times the listing of application caches on a profile holding 20,000 cache files beside
# about 11,000 files of the user's own: four Chrome profiles, Edge, Firefox, VS Code and
# Discord, with their histories, extensions, site data and settings. The search engine
# lists the caches of Dustvane's own rules (caches_bench.exe: rule files, plan, walk and
# summary); GNU find walks the same folders with the same patterns, on the host. Medians
# of five. The profile is made once under build/bench-trees and mapped as drive P:.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$repo/build/windows}
[[ -f $build/caches_bench.exe ]] || { echo "no $build/caches_bench.exe: ninja -C $build caches_bench" >&2; exit 2; }
source "$repo/scripts/wine-common.sh"
source "$repo/scripts/bench-common.sh"
trees=$DV_STATE/bench-trees
names=(cacheprofile)
drives=(P)

profile=$trees/cacheprofile
if [[ ! -f $profile.stamp || $(cat "$profile.stamp") != "cacheprofile 1" ]]; then
  echo "making the profile under $profile"
  rm -rf -- "$profile" "$profile.new"
  mkdir -p "$trees"
  python3 - "$profile.new" <<'EOF'
import os, sys
root = sys.argv[1]
count = {'cache': 0, 'user': 0}

def files(kind, folder, n, name='f_%06d'):
    path = os.path.join(root, *folder.split('\\'))
    os.makedirs(path, exist_ok=True)
    for i in range(n):
        with open(os.path.join(path, name % i if '%' in name else name), 'wb') as f:
            f.write(b'data'[:i % 5])
    count[kind] += n

local, roaming = 'AppData\\Local\\', 'AppData\\Roaming\\'
for browser, profiles, cache, js in (('Google\\Chrome', ['Default', 'Profile 1', 'Profile 2', 'Profile 3'], 2500, 1200),
                                     ('Microsoft\\Edge', ['Default'], 2000, 500)):
    data = local + browser + '\\User Data\\'
    for p in profiles:
        files('cache', data + p + '\\Cache\\Cache_Data', cache)
        files('cache', data + p + '\\Code Cache\\js', js, '%016x_0')
        files('cache', data + p + '\\GPUCache', 5, 'data_%d')
        files('user', data + p + '\\Extensions\\ext%d\\1.0_0' % len(p), 600, 'file%d.js')
        files('user', data + p + '\\IndexedDB\\https_site_0.indexeddb.leveldb', 400, '%06d.ldb')
        files('user', data + p + '\\Service Worker\\CacheStorage\\site', 400, '%08x_0')
        files('user', data + p, 1, 'History')
        files('user', data + p, 1, 'Bookmarks')
        files('user', data + p, 1, 'Login Data')
    files('cache', data + 'ShaderCache', 50, 'data_%d')
    files('user', data, 1, 'Local State')
ff = 'Mozilla\\Firefox\\Profiles\\x1y2.default-release\\'
files('cache', local + ff + 'cache2\\entries', 1420, '%040X')
files('cache', local + ff + 'startupCache', 2, 'startupCache.%d.little')
files('cache', local + ff + 'thumbnails', 73, '%032x.png')
files('user', roaming + ff + 'storage\\default\\site\\idb', 1500, '%d.sqlite')
files('user', roaming + ff, 1, 'places.sqlite')
files('cache', roaming + 'Code\\Cache\\Cache_Data', 300)
files('cache', roaming + 'Code\\CachedData\\1a2b3c\\chrome\\js', 300, '%x.code')
files('cache', roaming + 'Code\\Code Cache\\js', 200, '%016x_0')
files('cache', roaming + 'Code\\logs\\20260101T000000', 100, 'window%d.log')
files('user', roaming + 'Code\\User\\workspaceStorage\\ws', 1000, 'state%d.vscdb')
files('cache', roaming + 'discord\\Cache\\Cache_Data', 180)
files('user', roaming + 'discord\\Local Storage\\leveldb', 100, '%06d.ldb')
assert count['cache'] == 20000, count
print('cache files %(cache)d, user files %(user)d' % count)
EOF
  mv -- "$profile.new" "$profile"
  echo "cacheprofile 1" >"$profile.stamp"
fi

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
load_before=$(uptime)
run_mapped caches_bench "$out/run"
grep -v '^caches folder ' "$out/run.txt"

# GNU find over the folders the rules walked, with their patterns ("*.*" is every name, as
# the program matches it): one find per folder, its arguments made before the timing; a
# file two rules name counts once.
commands=()
while IFS='|' read -r folder recurse patterns; do
  folder=$profile/$(tr '\\' / <<<"${folder#caches folder P:\\}")
  args=()
  IFS=';' read -r -a list <<<"$patterns"
  for p in "${list[@]}"; do
    [[ $p == '*.*' ]] && p='*'
    (( ${#args[@]} )) && args+=(-o)
    args+=(-iname "$(printf %q "$p")")
  done
  depth=
  [[ $recurse == 1 ]] || depth='-maxdepth 1'
  commands+=("find $(printf %q "$folder") $depth \\( ${args[*]} \\) -type f")
done < <(grep '^caches folder ' "$out/run.txt")
find_all() {
  local c
  for c in "${commands[@]}"; do eval "$c"; done | sort -u | wc -l
}
times=()
for run in 1 2 3 4 5; do
  start=$(date +%s.%N)
  matches=$(find_all)
  times+=("$(awk -v a="$(date +%s.%N)" -v b="$start" 'BEGIN { print a - b }')")
done
find_s=$(printf '%s\n' "${times[@]}" | sort -g | sed -n 3p)
engine_s=$(sed -n 's/^caches engine .*median_s=\([0-9.]*\).*/\1/p' "$out/run.txt")
rows=$(sed -n 's/^caches engine .*rows=\([0-9]*\).*/\1/p' "$out/run.txt")
echo
printf '%-13s %7s %7s %8s %8s | %7s\n' profile rows matches find_s engine_s eng/find
printf '%-13s %7s %7s %8.3f %8.3f | %7.2f\n' cacheprofile "$rows" "$matches" "$find_s" "$engine_s" \
  "$(awk -v a="$engine_s" -v b="$find_s" 'BEGIN { print a / b }')"
echo "(rows: files the engine listed; matches: files GNU find found in the same folders;"
echo " engine_s: rule files, plan, walk and summary; find_s: find, one process per folder)"
echo "load before: $load_before"
echo "load after:  $(uptime)"
echo "machine: $(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1), $(wine --version 2>/dev/null)"
