#!/usr/bin/env bash
# Starts the program as its users do, with no arguments, and checks that it is still running
# a few seconds later, its window shown and waiting for the user. A fault on the way there (a
# crash, an abort, a sanitizer's report) ends it early with a status of its own.
set -u
program=$1
timeout --signal=TERM 3 "$program"
status=$?
if [[ $status -eq 124 ]]; then
    exit 0
fi
echo "program-starts: $program ended with status $status before it was stopped" >&2
exit 1
