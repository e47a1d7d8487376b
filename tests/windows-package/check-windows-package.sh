#!/usr/bin/env bash
# check-windows-package.sh PACKAGE_BUILD WINDOWS_BUILD: the Windows installer and zip of
# PACKAGE_BUILD under Wine in a fresh prefix of a user's kind, with openbox, in a desktop session
# of its own; WINDOWS_BUILD's kalpeno-window-texts.exe reads the windows (windows_package.py).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
package=$(realpath "$1")
build=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$root/testing/windows/wine-env.sh"
wine_env "$work/prefix"
export KALPENO_WINE_SESSION=1 PACKAGE="$package" BUILD="$build" ROOT="$root" WORK="$work"
"$root/testing/session/desktop-session" --window-manager --screen 1280x900x24 -- bash -c '
    source "$ROOT/testing/windows/wine-env.sh"
    wine_env "$WORK/prefix"
    export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d" # no menu files on the host
    trap "wineserver -k 2>/dev/null; wineserver -w" EXIT
    wine_desktop_prefix
    wineserver -k 2>/dev/null || true
    wineserver -w
    wineserver -p
    japanese_wine cmd.exe /c exit 0 </dev/null >/dev/null 2>&1
    PYTHONPATH="$ROOT/tests/realworld" /usr/bin/python3 "$ROOT/tests/windows-package/windows_package.py"
'
