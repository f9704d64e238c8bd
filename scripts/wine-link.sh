#!/bin/sh
# wine-link.sh TARGET LINK  (Unix paths)
# Makes a symbolic link for a test program running under Wine, which cannot make one
# itself: a Windows program starts this script by its DOS path (scripts/wine-exec.sh
# puts it beside the program as C:\Dustvane\wine-link.sh). Both paths must lie inside
# the run's own folder or the project's Wine prefix, so a test can never reach a host
# file through it.
set -eu
[ $# -eq 2 ] || { echo "usage: wine-link.sh TARGET LINK" >&2; exit 2; }
target=$(realpath -m -- "$1")
link=$(realpath -m -- "$(dirname -- "$2")")/$(basename -- "$2")
inside() {
  for root in ${DV_RUN_DIR:+"$(realpath -m -- "$DV_RUN_DIR")"} \
              ${WINEPREFIX:+"$(realpath -m -- "$WINEPREFIX")"}; do
    case $1 in "$root"/*) return 0 ;; esac
  done
  return 1
}
inside "$target" || { echo "wine-link: target outside the run: $target" >&2; exit 1; }
inside "$link" || { echo "wine-link: link outside the run: $link" >&2; exit 1; }
ln -s -- "$target" "$link"
