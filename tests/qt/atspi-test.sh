#!/usr/bin/env bash
# The program as a screen reader meets it: in a desktop session of its own (an X server, a
# session bus), with the accessibility bus and its registry, the real program is started with
# accessibility on and atspi_check.py walks and drives it through AT-SPI. Needs nothing of the
# machine's own display or session; every process started here is ended here.
#
#   atspi-test.sh PROGRAM
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)

# Inside the session: the accessibility bus, its registry, the program, the client.
if [[ ${2:-} == --in-session ]]; then
    pids=()
    cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; wait || true; }
    trap cleanup EXIT
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    pids+=($!)
    for _ in $(seq 100); do
        dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null |
            grep -q 'boolean true' && break
        sleep 0.1
    done
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
        variant:boolean:true >/dev/null
    /usr/libexec/at-spi2-registryd &
    pids+=($!)
    a11y=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress | tr -d ' ')
    for _ in $(seq 100); do
        dbus-send --address="$a11y" --print-reply --dest=org.freedesktop.DBus \
            /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner \
            string:org.a11y.atspi.Registry 2>/dev/null | grep -q 'boolean true' && break
        sleep 0.1
    done
    QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$program" &
    pids+=($!)
    python=/usr/bin/python3
    [[ -x $python ]] || python=python3
    timeout 50 "$python" "$here/atspi_check.py"
    exit
fi

export LC_ALL=C.UTF-8
exec "$here/../../testing/session/desktop-session" -- bash "$0" "$program" --in-session
