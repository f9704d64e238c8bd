# Shared by the Wine scripts (sourced, not run).
#
# Everything lives under one state folder, DV_STATE (default: the repository's
# build/): the prefix (wineprefix/, or $WINEPREFIX), the home used while the
# prefix is made (winehome/), per-run folders (tmp/) and a lock that lets one
# program at a time use the prefix.
#
# The prefix sees no host file outside DV_STATE: drive Z: and every other
# drive mapping but C: are removed, and folders that Wine links to the home
# folder are replaced by plain ones. Scripts add their own drive letters for a
# run, always pointing into DV_STATE.

DV_REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
DV_STATE=${DV_STATE:-$DV_REPO/build}
mkdir -p "$DV_STATE"
DV_STATE=$(cd "$DV_STATE" && pwd)
export WINEPREFIX=${WINEPREFIX:-$DV_STATE/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
unset WINESERVER WINELOADER

dv_die() { echo "wine: $*" >&2; exit 1; }

# DV_WINE_LOCALE (e.g. zh_CN.UTF-8, zh_TW.UTF-8, ja_JP.UTF-8) starts the Windows programs
# under that locale, which gives them its ANSI code page (936, 950, 932); only programs that
# make files with such names need the locale on the host (scripts/deps.sh makes ja_JP and
# zh_CN). Put "${dv_locale_env[@]}" before wine.
dv_locale_env=()
if [[ -n ${DV_WINE_LOCALE:-} ]]; then
  dv_locale_env=(env LANG="$DV_WINE_LOCALE" LC_ALL="$DV_WINE_LOCALE")
fi

case $WINEPREFIX in
  /*) ;;
  *) dv_die "WINEPREFIX must be an absolute path: $WINEPREFIX" ;;
esac
if [[ -n ${HOME:-} && $(realpath -m "$WINEPREFIX") == $(realpath -m "$HOME/.wine") ]]; then
  dv_die "refusing to use the personal prefix $WINEPREFIX"
fi

# Serialises use of the prefix (the lock is released when the shell ends).
dv_lock() {
  exec 9>"$DV_STATE/wine.lock"
  flock -w 1200 9 || dv_die "the Wine prefix stayed busy for 20 minutes"
}

# Leaves only C: in dosdevices, pointing at the prefix's own drive_c.
dv_clean_dosdevices() {
  local dev=$WINEPREFIX/dosdevices entry
  [[ -d $dev ]] || return 0
  for entry in "$dev"/* "$dev"/.[!.]*; do
    [[ -e $entry || -L $entry ]] || continue
    [[ ${entry##*/} == c: && $(readlink "$entry") == ../drive_c ]] && continue
    rm -rf -- "$entry"
  done
  [[ -L $dev/c: ]] || ln -s ../drive_c "$dev/c:"
}

# Sets the types of drive letters in Wine's drive table (HKLM\Software\Wine\Drives):
# LOG then "letter=type" pairs ("n:=network", "r:=floppy"); an empty type removes the
# letter's entry. Wine reads the table when its session starts, so the session ends here.
dv_set_drive_types() {
  local log=$1 pair letter type key='HKLM\Software\Wine\Drives' rc=0
  shift
  for pair; do
    letter=${pair%%=*} type=${pair#*=}
    if [[ -n $type ]]; then
      wine reg add "$key" /v "$letter" /t REG_SZ /d "$type" /f >>"$log" 2>&1 || rc=1
    else
      wine reg delete "$key" /v "$letter" /f >>"$log" 2>&1
    fi
  done
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  return $rc
}

# Sets the display scale Wine's programs start with (HKCU\Control Panel\Desktop\LogPixels,
# 96 = 100 %). Wine reads it when its session starts, so the session ends here.
dv_set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f &&
    wineserver -w
}

# Replaces every link in drive_c that leads out of the prefix (Wine links the
# user's Desktop, Documents, Music... to the home folder) by an empty folder.
dv_clean_drive_links() {
  local prefix link target
  prefix=$(realpath "$WINEPREFIX")
  while IFS= read -r -d '' link; do
    target=$(realpath -m "$link")
    case $target in
      "$prefix"/*) ;;
      *) rm -f -- "$link" && mkdir -p -- "$link" ;;
    esac
  done < <(find "$WINEPREFIX/drive_c" -type l -print0 2>/dev/null)
}

# Chinese and Japanese text in the program's Arial: Wine draws the Latin letters with
# Liberation Sans, named Arial, and takes every character it lacks from WenQuanYi Micro Hei,
# then VL PGothic (scripts/deps.sh). The link also makes Wine read ANSI text drawn in
# Arial in the system's code page (936, 950, 932). Wine finds links by the family name of
# the face it chose, which for the bold face is "Liberation Sans Bold". Once per prefix.
dv_ensure_cjk_fonts() {
  local stamp=$WINEPREFIX/.dustvane-cjk-fonts log=$DV_STATE/wineprefix-create.log
  [[ -f $stamp ]] && return 0
  local link='wqy-microhei.ttc,WenQuanYi Micro Hei\0VL-PGothic-Regular.ttf,VL PGothic'
  local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
  (
    export HOME=$DV_STATE/winehome
    unset DISPLAY WAYLAND_DISPLAY
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ \
      /d 'Liberation Sans' /f &&
    wine reg add "$key" /v 'Liberation Sans' /t REG_MULTI_SZ /d "$link" /f &&
    wine reg add "$key" /v 'Liberation Sans Bold' /t REG_MULTI_SZ /d "$link" /f
    rc=$?
    wineserver -w
    exit $rc
  ) >>"$log" 2>&1 || { cat "$log" >&2; dv_die "setting up the CJK fonts failed (log: $log)"; }
  touch "$stamp"
}

# Makes the prefix on first use; later calls only re-check the drive mappings.
dv_ensure_prefix() {
  local stamp=$WINEPREFIX/.dustvane-prefix
  if [[ -f $stamp ]]; then
    dv_clean_dosdevices
    dv_clean_drive_links
    dv_ensure_cjk_fonts
    return 0
  fi
  echo "wine: making the Wine prefix $WINEPREFIX (once; about a minute)" >&2
  local home=$DV_STATE/winehome log=$DV_STATE/wineprefix-create.log
  mkdir -p "$WINEPREFIX" "$home"/{data,config,cache}
  (
    export HOME=$home XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config \
           XDG_CACHE_HOME=$home/cache
    unset DISPLAY WAYLAND_DISPLAY
    wine wineboot -i
    wineserver -w
    wine reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /t REG_SZ /d '' /f
    # The shell's view of the Unix root folder, reachable from folder pickers.
    wine reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\Desktop\Namespace\{9D20AAE8-0625-44B0-9CA7-71889C2254D9}' /f
    wineserver -w
  ) >"$log" 2>&1 || { cat "$log" >&2; dv_die "making the prefix failed (log: $log)"; }
  [[ -d $WINEPREFIX/drive_c/windows ]] || { cat "$log" >&2; dv_die "wineboot made no drive_c (log: $log)"; }
  dv_clean_dosdevices
  dv_clean_drive_links
  touch "$stamp"
  dv_ensure_cjk_fonts
}

# Copies program files into a folder of drive C: so that they run from a
# Windows path (a program started from a folder outside every drive sees no
# usable module path). Besides the given programs, the data the program keeps
# next to itself is copied from SRC when present; files already in DEST stay,
# but for the language files and the help files.
dv_stage_app() {
  local src=$1 dest=$2 item
  shift 2
  mkdir -p "$dest"
  cp -f -- "$@" "$dest/"
  for item in "$src"/BackFile "$src"/LANGUAGE "$src"/*.ini "$src"/*.dat "$src"/*.hlp "$src"/*.chm \
              "$src"/*.lng "$src"/Files.txt "$src"/quilltext.txt; do
    [[ -e $item ]] && cp -rn -- "$item" "$dest/"
  done
  # Language files and the help files are the build's, never the user's: always refresh them.
  if [[ -d $src/LANGUAGE ]]; then
    (cd "$src" && find LANGUAGE -type f -iname '*.lng' -exec cp -f --parents {} "$dest/" \;)
  fi
  for item in "$src"/help.hlp "$src"/help.chm; do
    [[ -f $item ]] && cp -f -- "$item" "$dest/"
  done
  return 0
}

# When the script ends: stops every program of the prefix, the private X server and the
# run's drive letters.
dv_cleanup_on_exit() {
  trap 'wineserver -k >/dev/null 2>&1 || true; wineserver -w >/dev/null 2>&1 || true
        dv_stop_xvfb; dv_clean_dosdevices' EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM HUP
}

# Starts a private X server; sets DISPLAY and DV_XVFB_PID.
dv_start_xvfb() {
  local geometry=$1 dir=$2 i
  rm -f "$dir/xvfb.display"
  Xvfb -displayfd 8 -screen 0 "$geometry" -nolisten tcp -noreset \
    8>"$dir/xvfb.display" >"$dir/xvfb.log" 2>&1 &
  DV_XVFB_PID=$!
  for ((i = 0; i < 100; i++)); do
    [[ -s $dir/xvfb.display ]] && break
    kill -0 "$DV_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  [[ -s $dir/xvfb.display ]] || { cat "$dir/xvfb.log" >&2; dv_die "Xvfb did not start"; }
  export DISPLAY=:$(tr -d '[:space:]' <"$dir/xvfb.display")
}

dv_stop_xvfb() {
  if [[ -n ${DV_XVFB_PID:-} ]]; then
    kill "$DV_XVFB_PID" 2>/dev/null || true
    wait "$DV_XVFB_PID" 2>/dev/null || true
    DV_XVFB_PID=
  fi
}
