#!/usr/bin/env bash
# The Windows installer as a user meets it, under Wine in a fresh prefix on a Wine desktop with
# its taskbar and Start menu, in a desktop session of its own, driven by real X input (XTest
# through xdotool): its pages, the program it starts, the Start-menu entry and the program
# started from it, and the uninstaller's pages; a screenshot of each step in SHOTS_DIR.
#
#   tests/realworld/windows-installer.sh PACKAGE_BUILD WINDOWS_BUILD [SHOTS_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
package=$(realpath "$1")
build=$(realpath "$2")
shots=$(realpath -m "${3:-$package/windows-installer}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$shots"
export KALPENO_WINE_SESSION=1 PACKAGE="$package" BUILD="$build" SHOTS="$shots" HERE="$here" WORK="$work"
"$here/../../testing/session/desktop-session" --screen 1024x768x24 -- bash -c '
    source "$HERE/../../testing/windows/wine-env.sh"
    wine_env "$WORK/prefix"
    export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d" # no menu files on the host
    trap "wineserver -k 2>/dev/null; wineserver -w" EXIT
    wine_prefix
    # The desktop as large as the screen, with its taskbar and Start menu.
    japanese_wine reg add "HKCU\Software\Wine\Explorer\Desktops" /v Default /d 1024x768 /f >/dev/null 2>&1
    japanese_wine reg add "HKCU\Software\Wine\Explorer\Desktops\Default" /v EnableShell /t REG_DWORD /d 1 /f >/dev/null 2>&1
    wineserver -k 2>/dev/null || true
    wineserver -w
    wineserver -p
    japanese_wine cmd.exe /c exit 0 </dev/null >/dev/null 2>&1
    PYTHONPATH="$HERE" /usr/bin/python3 "$HERE/windows_installer.py"
'
echo "screenshots: $shots"
