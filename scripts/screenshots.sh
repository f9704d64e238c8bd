#!/usr/bin/env bash
# screenshots.sh [OUT_DIR]
# Saves a picture of the main window in each menu language into OUT_DIR (default docs/):
# screenshot.png in English, screenshot-zh-CN.png, screenshot-zh-TW.png and
# screenshot-ja.png, and in English at display scales of 150 % and 200 %: screenshot-150.png
# and screenshot-200.png (Wine's LogPixels at 144 and 192). Each runs build/windows/Dustvane.exe with that language chosen in
# language.ini and under the locale whose ANSI code page its language file is written in,
# on a private Xvfb, in a Wine prefix of its own (build/screenshots/), with the start-up
# wizard switched off.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe=$repo/build/windows/Dustvane.exe
out=$(realpath -m "${1:-$repo/docs}")
[[ -f $exe ]] || { echo "screenshots: $exe was not built" >&2; exit 1; }

export DV_STATE=$repo/build/screenshots
source "$repo/scripts/wine-common.sh"
dv_lock
dv_ensure_prefix

# picture, language.ini value, locale, DPI
shots=("screenshot.png 3 en_US.UTF-8 96" "screenshot-zh-CN.png 1 zh_CN.UTF-8 96"
       "screenshot-zh-TW.png 2 zh_TW.UTF-8 96" "screenshot-ja.png 4 ja_JP.UTF-8 96"
       "screenshot-150.png 3 en_US.UTF-8 144" "screenshot-200.png 3 en_US.UTF-8 192")

app="$WINEPREFIX/drive_c/Program Files/Dustvane"
work=$DV_STATE/tmp
mkdir -p "$work" "$out" "$DV_STATE"/home/{home,data,config,cache}
export HOME=$DV_STATE/home/home XDG_DATA_HOME=$DV_STATE/home/data \
       XDG_CONFIG_HOME=$DV_STATE/home/config XDG_CACHE_HOME=$DV_STATE/home/cache

dv_cleanup_on_exit
# The display scale goes back to 100 % whichever way the script ends.
trap 'wineserver -k >/dev/null 2>&1 || true; wineserver -w >/dev/null 2>&1 || true
      dv_set_dpi 96 >/dev/null 2>&1; dv_stop_xvfb; dv_clean_dosdevices' EXIT

# The start-up wizard would cover the main window.
for value in NotShow AutoSearch; do
  wine reg add 'HKU\.DEFAULT\Software\Dustvane\Auto' /v "$value" /t REG_DWORD \
    /d "$([[ $value == NotShow ]] && echo 1 || echo 0)" /f >/dev/null 2>&1
done
wineserver -w
dv_start_xvfb 1600x1200x24 "$work"

for shot in "${shots[@]}"; do
  read -r name value locale dpi <<<"$shot"
  dv_set_dpi "$dpi" >>"$work/$name.log" 2>&1
  size=$(( (663 * dpi + 48) / 96 ))x$(( (470 * dpi + 48) / 96 ))
  rm -rf -- "$app"
  dv_stage_app "$(dirname "$exe")" "$app" "$exe"
  printf '[Dustvane]\r\nlanguage=%s\r\n' "$value" >"$app/LANGUAGE/language.ini"
  (cd "$app" && exec env LANG="$locale" LC_ALL="$locale" wine "$app/Dustvane.exe") \
    >"$work/$name.log" 2>&1 </dev/null &
  pid=$!
  # The splash screen comes first: wait for the main window (663 x 470 at 96 DPI once
  # trimmed of the empty screen) to show the same picture twice in a row, for at most 60 s.
  picture=$work/$name
  rm -f "$picture.prev"
  for ((waited = 0; ; waited += 2)); do
    sleep 2
    xwd -root -silent -display "$DISPLAY" |
      convert xwd:- -trim +repage "png:$picture" 2>/dev/null
    if [[ $(identify -format '%wx%h' "$picture") == "$size" ]] && [[ -f $picture.prev ]] &&
       [[ $(compare -metric AE "$picture" "$picture.prev" null: 2>&1) == 0 ]]; then
      break
    fi
    if ! kill -0 "$pid" 2>/dev/null; then
      cat "$work/$name.log" >&2
      dv_die "Dustvane ended early ($name)"
    fi
    (( waited < 60 )) || dv_die "no steady main window for $name"
    mv "$picture" "$picture.prev"
  done
  cp "$picture" "$out/$name"
  rm -f "$picture" "$picture.prev"
  echo "screenshots: $out/$name"
  wineserver -k >/dev/null 2>&1 || true
  wait "$pid" 2>/dev/null || true
  wineserver -w >/dev/null 2>&1 || true
done
