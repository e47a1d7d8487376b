#!/usr/bin/env bash
# check-install.sh BUILD|PACKAGE.deb PROBE
# Installs the program as a user gets it, into a scratch folder: `cmake --install` of BUILD with
# the prefix /usr, or the files of a Debian package. Then checks that
#   - the files are exactly those of tests/install/files.txt, /usr/bin/kalpeno a link;
#   - the desktop entry and the AppStream metadata validate, and the metadata's newest release
#     is the changelog's newest entry;
#   - the program, started by the desktop entry's Exec line from another folder on the offscreen
#     platform, in a desktop session of its own, shows Help.txt in its Help window with no
#     message (PROBE, a library loaded into it, drives and reads its windows);
#   - for BUILD, the scenario runner installs on request, alone.
set -euo pipefail
source=$(cd "$(dirname "$0")/../.." && pwd)
from=$1
probe=$(realpath "$2")
fail() { echo "check-install: $*" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
if [[ $from == *.deb ]]; then
    dpkg-deb -x "$from" "$root"
else
    DESTDIR=$root cmake --install "$from" --prefix /usr > /dev/null
    DESTDIR=$scratch/scenario cmake --install "$from" --prefix /usr --component scenario > /dev/null
    runner=$(cd "$scratch/scenario" && find . ! -type d)
    [[ $runner == ./usr/lib/kalpeno/kalpeno-scenario ]] ||
        fail "the scenario component installs '$runner', not the runner alone"
fi

diff -u --label files.txt --label installed <(grep -v '^#' "$source/tests/install/files.txt") \
    <(cd "$root" && find . ! -type d | sed 's/^\.//' | LC_ALL=C sort) ||
    fail "the installed files are not those of tests/install/files.txt"
[[ -L $root/usr/bin/kalpeno ]] || fail "/usr/bin/kalpeno is not a link"

desktop=$(echo "$root"/usr/share/applications/*.desktop)
metainfo=$(echo "$root"/usr/share/metainfo/*.metainfo.xml)
report=$(desktop-file-validate "$desktop" 2>&1) && [[ -z $report ]] ||
    fail "desktop-file-validate: $report"
appstreamcli validate --no-net "$metainfo" > "$scratch/appstream" 2>&1 ||
    fail "appstreamcli validate: $(cat "$scratch/appstream")"
version=$(sed -n '1s/^kalpeno (\([^)]*\)).*/\1/p' "$source/packaging/changelog")
date=$(date -u -d "$(sed -n 's/^ -- .*>  //p' "$source/packaging/changelog" | head -1)" +%F)
grep -m1 '<release ' "$metainfo" | grep -qF "<release version=\"$version\" date=\"$date\">" ||
    fail "the newest release in $(basename "$metainfo") is not $version of $date"

exec_line=$(sed -n 's/^Exec=//p' "$desktop")
mkdir "$scratch/elsewhere"
cd "$scratch/elsewhere"
PATH=$root/usr/bin:$PATH QT_QPA_PLATFORM=offscreen KALPENO_PROBE_EXPECT=$source/data/Help.utf8.txt \
    ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0 \
    "$source/testing/session/desktop-session" -- timeout 60 env LD_PRELOAD="$probe" $exec_line ||
    fail "the program started by 'Exec=$exec_line' did not show Help.txt"
