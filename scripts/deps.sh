#!/usr/bin/env bash
# Installs everything Dustvane needs to build, run and test on Debian 12.
# Quick when all is present: the package database is read once and apt is
# only asked when something is missing.
set -euo pipefail

packages=(
  make cmake ninja-build g++ googletest python3
  g++-mingw-w64-x86-64-posix          # x86_64-w64-mingw32-g++-posix, windres
  wine wine64                          # Wine 8, 64-bit only
  xvfb x11-apps xauth imagemagick fonts-liberation
  fonts-wqy-microhei fonts-vlgothic    # Chinese and Japanese glyphs for the language files
  clang libclang-rt-14-dev             # libFuzzer and the sanitizer runtimes
  nsis nsis-common                     # makensis: the Windows installer
  fp-utils libchm-bin                  # chmcmd compiles help.chm; chmlib's tools read it back
  locales                              # the sources of the host locales below
)

# Host locales that Wine needs to keep Japanese and Chinese file names as they are when a
# test runs under DV_WINE_LOCALE (without one, Wine turns them into garbage).
host_locales=(ja_JP zh_CN)

# Files the build and the scripts call directly; a package can be "installed"
# yet have lost one of them, so these are checked as well.
required_files=(
  /usr/bin/cmake /usr/bin/ninja /usr/bin/g++ /usr/src/googletest/CMakeLists.txt
  /usr/bin/x86_64-w64-mingw32-g++-posix /usr/bin/x86_64-w64-mingw32-gcc-posix
  /usr/bin/x86_64-w64-mingw32-windres
  /usr/bin/wine /usr/bin/wineserver /usr/lib/wine/wine64
  /usr/bin/Xvfb /usr/bin/xwd /usr/bin/convert /usr/bin/clang++
  /usr/share/fonts/truetype/wqy/wqy-microhei.ttc
  /usr/share/fonts/truetype/vlgothic/VL-PGothic-Regular.ttf
  /usr/bin/makensis /usr/share/nsis/Stubs/lzma_solid-amd64-unicode
  /usr/bin/chmcmd /usr/bin/extract_chmLib
)

missing=()
installed=$(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null || true)
for p in "${packages[@]}"; do
  grep -qx "$p installed" <<<"$installed" || missing+=("$p")
done
lost_file=""
for f in "${required_files[@]}"; do
  [[ -e $f ]] || lost_file=$f
done

missing_locales=()
known_locales=$(locale -a 2>/dev/null || true)
for l in "${host_locales[@]}"; do
  grep -qix "$l.utf8" <<<"$known_locales" || missing_locales+=("$l")
done

if [[ ${#missing[@]} -eq 0 && -z $lost_file && ${#missing_locales[@]} -eq 0 ]]; then
  exit 0
fi

if [[ $(id -u) -ne 0 ]]; then
  if [[ ${#missing[@]} -gt 0 || -n $lost_file ]]; then
    echo "deps: missing packages: ${missing[*]:-(a file: $lost_file)}" >&2
    echo "deps: run as root: apt-get install --no-install-recommends ${packages[*]}" >&2
  fi
  for l in "${missing_locales[@]}"; do
    echo "deps: missing host locale $l.UTF-8; run as root: localedef -i $l -f UTF-8 $l.UTF-8" >&2
  done
  exit 1
fi

if [[ ${#missing[@]} -gt 0 || -n $lost_file ]]; then
  export DEBIAN_FRONTEND=noninteractive
  echo "deps: installing ${missing[*]:-${packages[*]}}"
  apt-get update -q >/dev/null
  if [[ ${#missing[@]} -eq 0 ]]; then
    # A file went missing from an installed package: reinstall them all.
    apt-get install -y -q --no-install-recommends --reinstall "${packages[@]}"
  else
    apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
  for f in "${required_files[@]}"; do
    [[ -e $f ]] || { echo "deps: $f is still missing after the install" >&2; exit 1; }
  done
fi

for l in "${missing_locales[@]}"; do
  echo "deps: making the host locale $l.UTF-8"
  localedef -i "$l" -f UTF-8 "$l.UTF-8"
done
echo "deps: done"
