#!/usr/bin/env bash
# Makes (once) and checks the project's Wine prefix: build/wineprefix, or
# $WINEPREFIX. Afterwards the prefix has only drive C:, its user folders are
# plain folders inside it, and winemenubuilder is off. Prints the prefix path.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-common.sh"
dv_lock
dv_ensure_prefix
echo "$WINEPREFIX"
