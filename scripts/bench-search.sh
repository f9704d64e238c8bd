#!/usr/bin/env bash
# bench-search.sh [BUILD_DIR] [--reference]
# Times the junk-file search, pattern set 0 (81 patterns), on three trees:
#   synthetic  2,041 folders and 50,000 small files, junk of several kinds
#   files200k  400 folders of 500 files, a fifth of them junk
#   usrshare   the folders and file names of the host's /usr/share, every file empty
# each walked by GNU find (81 -iname patterns, one thread, on the host), by the search
# engine without a window and by the real window from the click on Start Search to the
# summary (both in search_bench.exe, which drives Dustvane.exe from outside). Prints one
# table with the ratios, then what the window does with 200,000 rows. The trees are made
# once under build/bench-trees and mapped as drives U: V: W: for the run. --reference
# also times one system wildcard search per pattern and folder (slow).
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$repo/build/windows}
reference=${2:-}
for exe in search_bench Dustvane; do
  [[ -f $build/$exe.exe ]] || { echo "no $build/$exe.exe: ninja -C $build $exe" >&2; exit 2; }
done
source "$repo/scripts/wine-common.sh"
source "$repo/scripts/bench-common.sh"
trees=$DV_STATE/bench-trees
# DV_BENCH_TREES names a subset, e.g. "synthetic usrshare".
read -r -a names <<<"${DV_BENCH_TREES:-synthetic files200k usrshare}"
[[ -d /usr/share ]] || names=("${names[@]/usrshare/}")
read -r -a names <<<"${names[*]}"
drives=(U V W X Y)

# Makes a tree once; the stamp records how it was made.
make_tree() {
  local name=$1 stamp=$trees/$1.stamp want=
  [[ $name == usrshare ]] && want=$(find /usr/share 2>/dev/null | wc -l)
  want="$name 1 $want"
  [[ -d $trees/$name && -f $stamp && $(cat "$stamp") == "$want" ]] && return 0
  echo "making the tree $name under $trees"
  rm -rf -- "$trees/$name" "$stamp" "$trees/$name.new"
  mkdir -p "$trees"
  python3 - "$trees/$name.new" "$name" <<'EOF'
import os, sys
root, name = os.fsencode(sys.argv[1]), sys.argv[2]

def put(path, size):
    with open(path, 'wb') as f:
        f.write(b'junk'[:size])

os.makedirs(root)
if name == 'synthetic':
    kinds = ['doc%d.txt', 'img%d.jpg', 'lib%d.dll', 'data%d.dat', 'song%d.mp3', 'note%d.ini',
             '~w%d.tmp', 'a%d.bak', 'x%d.old', 'c%d.chk', 'log%d.txt', 's%d.gid']
    folders = [root]
    for t in range(40):
        top = root + b'/top%d' % t
        os.mkdir(top)
        folders.append(top)
        for s in range(50):
            os.mkdir(top + b'/sub%d' % s)
            folders.append(top + b'/sub%d' % s)
    for i in range(50000):
        put(folders[i % len(folders)] + b'/' + (kinds[i % 12] % i).encode(), i % 5)
elif name == 'files200k':
    junk = ['t%d.tmp', 'b%d.bak', 'o%d.old', 'c%d.chk', 'g%d.gid']
    plain = ['doc%d.txt', 'img%d.jpg', 'lib%d.dll', 'data%d.dat', 'song%d.mp3', 'note%d.ini', 'pic%d.png']
    for f in range(400):
        folder = root + b'/f%03d' % f
        os.mkdir(folder)
        for k in range(500):
            i = f * 500 + k
            kind = junk[i % 5] if i % 100 < 21 else plain[i % 7]
            put(folder + b'/' + (kind % i).encode(), i % 5)
elif name == 'usrshare':
    # Same folders and names; every file, link and device becomes an empty file, a link
    # to a folder an empty folder.
    def copy(src, dst):
        for e in os.scandir(src):
            target = dst + b'/' + e.name
            if e.is_dir(follow_symlinks=False):
                os.mkdir(target)
                try:
                    copy(e.path, target)
                except OSError:
                    pass
            elif e.is_symlink() and e.is_dir():
                os.mkdir(target)
            else:
                open(target, 'wb').close()
    copy(b'/usr/share', root)
EOF
  mv -- "$trees/$name.new" "$trees/$name"
  echo "$want" >"$stamp"
}
for name in "${names[@]}"; do make_tree "$name"; done

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
load_before=$(uptime)
run_mapped search_bench "$out/run" $reference
cat "$out/run.txt"

# GNU find with the same 81 patterns, median of five.
read -r -a patterns <<<"$(sed -n 's/^patterns set 0: //p' "$out/run.txt" | head -1)"
args=()
for p in "${patterns[@]}"; do
  (( ${#args[@]} )) && args+=(-o)
  args+=(-iname "$p")
done
field() { sed -n "s/^$1 $2 .*\b$3=\([0-9.]*\).*/\1/p" "$4" | head -1; }
echo
printf '%-10s %8s %7s %7s %7s | %7s %7s %7s %7s %7s | %7s | %8s %6s %6s %6s\n' tree folders files \
  rows matches find_s system listing walk_s total_s window_s sys/find eng/find win/eng win/find
for name in "${names[@]}"; do
  times=()
  for run in 1 2 3 4 5; do
    start=$(date +%s.%N)
    matches=$(find "$trees/$name" \( "${args[@]}" \) -type f | wc -l)
    times+=("$(awk -v a="$(date +%s.%N)" -v b="$start" 'BEGIN { print a - b }')")
  done
  find_s=$(printf '%s\n' "${times[@]}" | sort -g | sed -n 3p)
  total=$(field engine "$name" total_s "$out/run.txt")
  window=$(field window "$name" median_s "$out/run.txt")
  system=$(field engine "$name" system_s "$out/run.txt")
  printf '%-10s %8s %7s %7s %7s | %7.3f %7.3f %7.3f %7.3f %7.3f | %7.3f | %8.2f %6.2f %6.2f %6.2f\n' \
    "$name" "$(field engine "$name" folders "$out/run.txt")" "$(field engine "$name" files "$out/run.txt")" \
    "$(field engine "$name" rows "$out/run.txt")" "$matches" "$find_s" "$system" \
    "$(field engine "$name" listing_s "$out/run.txt")" "$(field engine "$name" walk_s "$out/run.txt")" \
    "$total" "${window:-0}" \
    "$(awk -v a="$system" -v b="$find_s" 'BEGIN { print a / b }')" \
    "$(awk -v a="$total" -v b="$find_s" 'BEGIN { print a / b }')" \
    "$(awk -v a="${window:-0}" -v b="$total" 'BEGIN { print a / b }')" \
    "$(awk -v a="${window:-0}" -v b="$find_s" 'BEGIN { print a / b }')"
done
echo "(find_s: GNU find; system: the system's own listing of every folder in a bare loop, the"
echo " least a search can cost under this Wine; listing: the engine listing every folder with no"
echo " pattern; walk_s and total_s: the engine's walk and walk + summary; window_s: click to"
echo " summary; medians of 5)"
grep -E '^window (rows200k|cancel|memory) ' "$out/run.txt" || true
echo "load before: $load_before"
echo "load after:  $(uptime)"
echo "machine: $(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1), $(wine --version 2>/dev/null)"
