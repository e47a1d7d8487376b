#!/usr/bin/env bash
# A calculation typed through a real Japanese input method, as its users type: a desktop session
# of its own (Xvfb with openbox, a session bus), ibus with Mozc in kana mode, XTest key presses and clicks, the boxes read back over AT-SPI.
# Mozc refuses to run as root, so the session runs as `nobody` with a home of its own.
#
#   tests/realworld/input-method.sh PROGRAM [SHOTS_DIR]
# Screenshots of each step land in SHOTS_DIR (default: a new temporary folder, printed).
set -euo pipefail
program=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/kalpeno-ime.XXXXXX)
shots=${2:-$work/shots}
mkdir -p "$work/home/.config/mozc" "$shots"
# Mozc starts in kana mode, as a user has it on after pressing Hankaku/Zenkaku.
cat > "$work/home/.config/mozc/ibus_config.textproto" <<'CONFIG'
engines {
  name : "mozc-jp"
  longname : "Mozc"
  layout : "default"
  layout_variant : ""
  layout_option : ""
  rank : 80
}
active_on_launch: True
CONFIG
cp "$here/input_method.py" "$here/../../tools/monkey/kalpeno_monkey/clipboard.py" "$work/"
chown -R nobody "$work" "$shots"
chmod 755 "$work"

# Inside the session (an X server with openbox and a bus of its own, testing/session).
session() {
    set -u
    export GTK_IM_MODULE=ibus QT_IM_MODULE=ibus XMODIFIERS=@im=ibus QT_ACCESSIBILITY=1
    export NO_AT_BRIDGE=0 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    ibus-daemon -r -x -d >"$WORK/ibus.log" 2>&1
    for _ in $(seq 20); do sleep 0.5; ibus engine mozc-jp 2>/dev/null && break; done
    "$PROGRAM" >"$WORK/program.log" 2>&1 &
    sleep 3
    status=0
    python3 "$WORK/input_method.py" "$SHOTS" || status=$?
    kill %1 2>/dev/null || true
    ibus exit 2>/dev/null || true
    return $status
}
export -f session
status=0
su nobody -s /bin/bash -c "WORK='$work' PROGRAM='$program' SHOTS='$shots' \
    '$here/../../testing/session/desktop-session' --window-manager --screen 1280x800x24 \
    --home '$work/home' -- bash -c session" 2>"$work/session.log" || status=$?
echo "screenshots: $shots"
[[ $status -eq 0 ]] || { echo "see $work/*.log"; exit "$status"; }
rm -rf "$work/home"
