#!/usr/bin/env bash
# Starts build/windows/Dustvane.exe under Wine in the project's prefix, from
# its own folder C:\Program Files\Dustvane (refreshed from the build; the
# settings it writes there are kept between runs). The prefix has only drive C:.
# With $DISPLAY: runs it on that display until it ends.
# Without: runs it on a private Xvfb for RUN_SECONDS (default 8), saves a
# screenshot to build/screenshot.png and stops everything.
# DV_EXE names another Dustvane.exe, DV_STATE another state folder, DV_WINE_LOCALE
# (e.g. zh_CN.UTF-8) the locale and so the ANSI code page it runs under.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe=$(realpath -m "${DV_EXE:-$repo/build/windows/Dustvane.exe}")
[[ -f $exe ]] || { echo "run: $exe was not built" >&2; exit 1; }

source "$repo/scripts/wine-common.sh"
dv_lock
dv_ensure_prefix

app="$WINEPREFIX/drive_c/Program Files/Dustvane"
dv_stage_app "$(dirname "$exe")" "$app" "$exe"

home=$DV_STATE/runhome
mkdir -p "$home"/{home,data,config,cache}
export HOME=$home/home XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config XDG_CACHE_HOME=$home/cache
log=$DV_STATE/run.log

dv_cleanup_on_exit

cd "$app"
if [[ -n ${DISPLAY:-} ]]; then
  echo "run: starting Dustvane on $DISPLAY (output: $log)"
  "${dv_locale_env[@]}" wine "$app/Dustvane.exe" >"$log" 2>&1 </dev/null ||
    echo "run: Dustvane ended with exit code $?"
  exit 0
fi

mkdir -p "$DV_STATE/tmp"
dv_start_xvfb 1024x768x24 "$DV_STATE/tmp"
echo "run: starting Dustvane on a private display $DISPLAY for ${RUN_SECONDS:-8} s (output: $log)"
"${dv_locale_env[@]}" wine "$app/Dustvane.exe" >"$log" 2>&1 </dev/null &
pid=$!
rc=0
sleep "${RUN_SECONDS:-8}"
shot=$DV_STATE/screenshot
# On a busy machine the window may still be painting: take pictures every
# 2 s until two in a row are the same and not empty, for at most 30 s more.
rm -f "$shot.prev.xwd"
for ((waited = 0; ; waited += 2)); do
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid" && rc=0 || rc=$?
    echo "run: Dustvane ended early with exit code $rc" >&2
    cat "$log" >&2
  fi
  xwd -root -silent -display "$DISPLAY" >"$shot.xwd"
  if cmp -s "$shot.xwd" "$shot.prev.xwd" &&
     [[ $(/usr/bin/convert "xwd:$shot.xwd" -format '%[max]' info:) != 0 ]]; then
    break
  fi
  (( waited < 30 )) && kill -0 "$pid" 2>/dev/null || break
  mv "$shot.xwd" "$shot.prev.xwd"
  sleep 2
done
/usr/bin/convert "xwd:$shot.xwd" "$shot.png"
rm -f "$shot.xwd" "$shot.prev.xwd"
echo "run: screenshot saved to $shot.png"
exit $rc
