#!/usr/bin/env bash
# wine-exec.sh PROGRAM.exe [ARGS...]
# Runs one Windows program in the project's Wine prefix, in a fresh folder of
# its own under <state>/tmp/, and exits with the program's exit code. CTest
# uses it to run every test program of the windows build.
#
# The program runs from C:\Dustvane\, a fresh copy of it (with Dustvane.exe and
# the program's data files when they lie beside it), and gets:
#   DV_TEST_DRIVE=T:   a drive mapped to an empty folder of this run (also the
#                      current directory); the mapping is removed afterwards
#   DV_TRASH_DIR       the Unix folder of Wine's Recycle Bin for this run
#   HOME, XDG_*        per-run folders
#   DV_RUN_DIR         the Unix folder of this run (kept for the last 9 runs)
#   DISPLAY            a private Xvfb (1280x1024x24) when DV_NEEDS_DISPLAY=1
#                      or when no DISPLAY is set
#   DV_SIZED_DRIVE=S:  with DV_SIZED_DRIVE_MB=N, a drive of exactly N MiB: a
#                      tmpfs mounted in a private mount namespace of the run
#                      (unset when the system refuses the mount)
#   DV_NETWORK_DRIVE=N:, DV_REMOVABLE_DRIVE=R:  with DV_TYPED_DRIVES=1, two more
#                      empty folders of this run that Wine's drive table makes a
#                      network share and a removable drive; the types are removed
#                      again afterwards
# DV_WINE_LOCALE (e.g. ja_JP.UTF-8) runs it under that locale and so its code page.
# DV_WINE_DPI (e.g. 144 for 150 %) runs it at that display scale; 96 again afterwards.
# DV_TIMEOUT (seconds, default 600) bounds the run. State folder: $DV_STATE,
# else build/ next to the build tree the program lies in, else build/ of the
# repository; a build tree elsewhere (e.g. /tmp/x/win) keeps its own state in
# a folder wine-state/ inside it. Programs sharing a prefix run one at a time.
set -uo pipefail

[[ $# -ge 1 ]] || { echo "usage: $0 PROGRAM.exe [ARGS...]" >&2; exit 2; }
program=$(realpath -e -- "$1" 2>/dev/null) || { echo "wine-exec: no such program: $1" >&2; exit 2; }
shift

if [[ -z ${DV_STATE:-} ]]; then
  repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  dir=$(dirname "$program")
  while [[ $dir != / && ! -f $dir/CMakeCache.txt ]]; do dir=$(dirname "$dir"); done
  if [[ $dir == / || $dir == "$repo"/build/* ]]; then
    DV_STATE=$repo/build
  else
    DV_STATE=$dir/wine-state
  fi
fi
source "$(dirname "${BASH_SOURCE[0]}")/wine-common.sh"

dv_lock
dv_ensure_prefix

mkdir -p "$DV_STATE/tmp"
# Keep the folders of the last few runs for a look after a failure.
ls -1dt "$DV_STATE"/tmp/run.* 2>/dev/null | tail -n +10 | xargs -r rm -rf --
run=$(mktemp -d "$DV_STATE/tmp/run.XXXXXX")
mkdir -p "$run"/{drive,home,data,config,cache}

typed_drives=
cleanup() {
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  [[ -n $typed_drives ]] && dv_set_drive_types "$run/drive-types.log" n:= r:=
  [[ -n ${DV_WINE_DPI:-} ]] && dv_set_dpi 96 >>"$run/dpi.log" 2>&1
  dv_stop_xvfb
  dv_clean_dosdevices
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

ln -sfn "$run/drive" "$WINEPREFIX/dosdevices/t:"
export DV_TEST_DRIVE=T:
export HOME=$run/home XDG_DATA_HOME=$run/data XDG_CONFIG_HOME=$run/config XDG_CACHE_HOME=$run/cache
export DV_TRASH_DIR=$XDG_DATA_HOME/Trash
export DV_RUN_DIR=$run
if [[ ${DV_TYPED_DRIVES:-} == 1 ]]; then
  mkdir -p "$run"/{network,removable}
  ln -sfn "$run/network" "$WINEPREFIX/dosdevices/n:"
  ln -sfn "$run/removable" "$WINEPREFIX/dosdevices/r:"
  typed_drives=1
  dv_set_drive_types "$run/drive-types.log" n:=network r:=floppy ||
    { cat "$run/drive-types.log" >&2; dv_die "setting the drive types failed"; }
  export DV_NETWORK_DRIVE=N: DV_REMOVABLE_DRIVE=R:
fi
if [[ -n ${DV_WINE_DPI:-} ]]; then
  dv_set_dpi "$DV_WINE_DPI" >"$run/dpi.log" 2>&1 ||
    { cat "$run/dpi.log" >&2; dv_die "setting the display scale failed"; }
fi
# Programs reach only the servers the tests start on 127.0.0.1, never through a proxy.
unset http_proxy https_proxy ftp_proxy all_proxy no_proxy HTTP_PROXY HTTPS_PROXY FTP_PROXY ALL_PROXY NO_PROXY

if [[ ${DV_NEEDS_DISPLAY:-} == 1 || -z ${DISPLAY:-} ]]; then
  dv_start_xvfb 1280x1024x24 "$run"
fi

app=$WINEPREFIX/drive_c/Dustvane
rm -rf -- "$app"
src=$(dirname "$program")
extra=()
[[ -f $src/Dustvane.exe && $program != "$src/Dustvane.exe" ]] && extra+=("$src/Dustvane.exe")
dv_stage_app "$src" "$app" "$program" "${extra[@]}"

# The mount lives in a mount namespace of the run's own, so it goes with the run.
sized=()
if [[ -n ${DV_SIZED_DRIVE_MB:-} ]] && unshare --mount --propagation private true 2>/dev/null; then
  mkdir -p "$run/sized"
  ln -sfn "$run/sized" "$WINEPREFIX/dosdevices/s:"
  export DV_SIZED_DRIVE=S:
  mount_then_run='mount -t tmpfs -o "size=${DV_SIZED_DRIVE_MB}m" dustvane-sized "$0" ||
    unset DV_SIZED_DRIVE
  exec "$@"'
  sized=(unshare --mount --propagation private sh -c "$mount_then_run" "$run/sized")
fi

cd "$run/drive"
timeout --kill-after=10 "${DV_TIMEOUT:-600}" "${sized[@]}" "${dv_locale_env[@]}" \
  wine "$app/$(basename "$program")" "$@" >"$run/stdout.txt" 2>"$run/stderr.txt" </dev/null
rc=$?
[[ $rc == 124 ]] && echo "wine-exec: $(basename "$program") timed out after ${DV_TIMEOUT:-600} s" >>"$run/stderr.txt"
cat "$run/stdout.txt"
cat "$run/stderr.txt" >&2
exit $rc
