#!/usr/bin/env bash
# The Windows program as its users meet it: kalpeno.exe under Wine in a desktop session of its
# own with a window manager (openbox), in a prefix of its own with no virtual desktop, driven by
# real X input (XTest through xdotool, a real clipboard owner), its windows read from outside as
# any program may; a screenshot of each step in SHOTS_DIR.
#
#   tests/realworld/windows-program.sh BUILD_WINDOWS [SHOTS_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "$1")
shots=$(realpath -m "${2:-$build/windows-program}")
source "$here/../../testing/windows/wine-env.sh"
wine_env "$build/wine-desktop"
mkdir -p "$shots"
wineserver -k 2>/dev/null || true
wineserver -w
wine_desktop_prefix
wineserver -k 2>/dev/null || true
wineserver -w
export KALPENO_WINE_SESSION=1 BUILD="$build" SHOTS="$shots" HERE="$here"
status=0
"$here/../../testing/session/desktop-session" --window-manager --screen 1280x900x24 -- bash -c '
    source "$HERE/../../testing/windows/wine-env.sh"
    wine_env "$BUILD/wine-desktop"
    trap "wineserver -k 2>/dev/null; wineserver -w" EXIT
    wineserver -p
    cp "$HERE/../../tools/monkey/kalpeno_monkey/clipboard.py" "$SHOTS/"
    PYTHONPATH="$SHOTS" /usr/bin/python3 "$HERE/windows_program.py" "$BUILD" "$SHOTS"
' || status=$?
rm -f "$shots/clipboard.py"
echo "screenshots: $shots"
exit "$status"
