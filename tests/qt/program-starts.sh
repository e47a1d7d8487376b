#!/usr/bin/env bash
# Starts the program as its users do, with no arguments, in a desktop session of its own (an X
# server, a session bus), and checks that its window appears there and that it is still running
# a few seconds later, waiting for the user. A fault on the way (a crash, an abort, a sanitizer's
# report) ends it early with a status of its own; a program that runs without ever showing its
# window fails too.
set -u
session=$(cd "$(dirname "$0")/../../testing/session" && pwd)/desktop-session
export QT_QPA_PLATFORM=xcb
exec "$session" --screen 1024x768x24 -- bash -c '
    "$1" &
    pid=$!
    shown=
    for _ in $(seq 100); do
        sleep 0.1
        kill -0 $pid 2>/dev/null || break
        if xwininfo -root -tree 2>/dev/null | grep -q "\"Orlanvi\""; then
            shown=1
            break
        fi
    done
    sleep 2
    if ! kill -0 $pid 2>/dev/null; then
        wait $pid
        echo "program-starts: $1 ended with status $? before it was stopped" >&2
        exit 1
    fi
    kill $pid
    wait $pid 2>/dev/null
    if [[ -z $shown ]]; then
        echo "program-starts: the window of $1 never appeared" >&2
        exit 1
    fi
' program-starts "$1"
