#!/usr/bin/env bash
# Runs every benchmark of the Release build and writes one table to bench/results/latest.md
# (also printed). The whole run is one desktop session of its own (testing/session: an Xvfb on a
# display it picks, a session bus, a home): start-up, memory and latency are measured on its X
# server; the event and scale benchmarks use Qt's offscreen platform.
#
#   bench/run.sh                  expects build-release/ (make bench builds it first)
#   BENCH_RUNS=7                  interleaved runs per program that also read the memory
#   BENCH_START_RUNS=21           interleaved start-up runs per program in all
#   BENCH_WINDOWS_START_RUNS=101  the same under Wine, whose start-ups spread far more widely
#   BENCH_QUICK=1                 smaller scale sizes and shorter event runs, for a smoke run
#   BENCH_OUT=FILE                where the table goes (default bench/results/latest.md)
#   BENCH_ONLY=latency            the latency section alone (default BENCH_OUT then
#                                 bench/results/latest-latency.md), e.g. with more presses
#   BENCH_ONLY=windows            the Windows program under Wine alone (latest-windows.md)
#   BENCH_PRESSES=80              timed answers of each kind per program in the latency section,
#   BENCH_LATENCY_ROUNDS=4        taken in this many rounds over all the programs
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
if [[ -z ${KALPENO_BENCH_SESSION:-} ]]; then
    KALPENO_BENCH_SESSION=1 exec "$root/testing/session/desktop-session" -- "$0" "$@"
fi
display=$DISPLAY
build="$root/build-release"
bin="$build/bin"
only=${BENCH_ONLY:-}
if [[ -n "$only" && "$only" != latency && "$only" != windows ]]; then
    echo "run.sh: BENCH_ONLY knows latency and windows" >&2
    exit 2
fi
out=${BENCH_OUT:-$root/bench/results/latest${only:+-$only}.md}
presses=${BENCH_PRESSES:-80}
latency_rounds=${BENCH_LATENCY_ROUNDS:-4}
runs=${BENCH_RUNS:-7}
start_runs=${BENCH_START_RUNS:-21}
windows_start_runs=${BENCH_WINDOWS_START_RUNS:-101}
quick=${BENCH_QUICK:-0}
work=$(mktemp -d)
logs="$build/bench-logs"

cleanup() {
    rm -rf "$work"
}
trap cleanup EXIT

tools=(kalpeno-launch-timer kalpeno-latency kalpeno-bench-events kalpeno-bench-scale)
[[ "$only" == windows ]] && tools=(kalpeno-launch-timer)
for tool in "${tools[@]}"; do
    [[ -x "$bin/$tool" ]] || { echo "run.sh: $bin/$tool is missing; run make bench" >&2; exit 2; }
done

machine() {
    local cpu mem os qt cxx
    cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
    mem=$(awk '/MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)
    os=$(. /etc/os-release && echo "$PRETTY_NAME")
    qt=$(pkg-config --modversion Qt6Core 2>/dev/null || echo unknown)
    cxx=$(c++ --version | head -1)
    echo "- nproc: $(nproc); CPU: $cpu; memory: $mem"
    echo "- OS: $os, kernel $(uname -r); Qt $qt; $cxx"
    echo "- load average at the start (other work on the machine shifts every figure): $(cut -d' ' -f1-3 /proc/loadavg)"
    echo "- commit: $(git -C "$root" rev-parse --short HEAD 2>/dev/null || echo unknown)$(
        git -C "$root" diff --quiet HEAD -- src bench ':!bench/results' 2>/dev/null || echo ' (with local changes)')"
}

startup() {
    local programs=()
    [[ -x "$bin/kalpeno" ]] && programs+=("kalpeno=$bin/kalpeno")
    [[ -x "$bin/kalpeno-floor" ]] && programs+=("floor=$bin/kalpeno-floor")
    local peer
    for peer in xcalc galculator speedcrunch kcalc gnome-calculator qalculate-gtk; do
        command -v "$peer" >/dev/null && programs+=("$peer=$peer")
    done
    if [[ ${#programs[@]} -eq 0 ]]; then
        echo "No program to start."
        return
    fi
    env -u QT_QPA_PLATFORM "$bin/kalpeno-launch-timer" --runs "$runs" --start-runs "$start_runs" --output "$work/startup.md" \
        "${programs[@]}" >"$logs/startup.log" 2>&1 ||
        echo "**The start-up benchmark failed**: see $logs/startup.log"
    [[ -f "$work/startup.md" ]] && cat "$work/startup.md"
}

# Key-to-screen and click-to-screen latency on the same Xvfb. The places clicked are the keypad's
# "5" (Kalpeno, xcalc) and a button of the floor, in window coordinates; the peers other than
# xcalc get keys only.
latency() {
    local programs=("kalpeno@492,238=$bin/kalpeno" "kalpeno+enter@28,57=$bin/kalpeno"
                    "floor@342,118=$bin/kalpeno-floor")
    command -v xcalc >/dev/null && programs+=("xcalc@114,361=xcalc")
    local peer
    for peer in galculator speedcrunch qalculate-gtk; do
        command -v "$peer" >/dev/null && programs+=("$peer=$peer")
    done
    # In rounds, every program in each, so that a busy phase of a shared machine falls on all of
    # them alike; the tool joins the rows of a program measured more than once.
    local rounds=() round
    for ((round = 0; round < latency_rounds; round++)); do
        rounds+=("${programs[@]}")
    done
    env -u QT_QPA_PLATFORM "$bin/kalpeno-latency" --presses $((presses / latency_rounds)) \
        --output "$work/latency.md" "${rounds[@]}" \
        >"$logs/latency.log" 2>&1 || echo "**The latency benchmark failed**: see $logs/latency.log"
    [[ -f "$work/latency.md" ]] && cat "$work/latency.md"
}

latency_section() {
    echo "## Latency"
    echo
    echo "From an XTest key press and release (\"5\" and Backspace in turn, the text changing each"
    echo "time) or left click to the first and to the last Damage event of the answer on the"
    echo "program's window (quiet for 20 ms after it), $presses of each in $latency_rounds rounds over"
    echo "all the programs, on the same Xvfb. Enter: \"1+2\" typed into a freshly selected A, then"
    echo "Enter timed. The breakdown of Kalpeno's path is in bench/results/latency.md."
    echo
    latency
}

# The instructions each program runs from exec until it asks for its first window to be mapped,
# counted by callgrind: the same on every run, where the times above move with the machine.
# Counted twice: all threads together, and the main thread alone (the path to the window when
# another core runs the other threads).
count_instructions() { # program, output file, callgrind options...
    local program=$1 out=$2 pid waited
    shift 2
    env -u QT_QPA_PLATFORM valgrind --tool=callgrind --dump-before='QXcbWindow::show*' "$@" \
        --callgrind-out-file="$out" "$program" >/dev/null 2>&1 &
    pid=$!
    # The first dump is written on entering the window's show; then the program may go.
    for ((waited = 0; waited < 600; waited++)); do
        compgen -G "$out.1*" >/dev/null && grep -qs '^totals:' "$out".1* && break
        sleep 0.1
    done
    kill -TERM "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    awk '/^totals:/ { print $2; exit }' "$out".1* 2>/dev/null || true
}

instructions() {
    if ! command -v valgrind >/dev/null; then
        echo "(valgrind is not installed: no instruction counts; tools/setup.sh bench installs it)"
        return
    fi
    echo "| program | instructions from exec to the window's show, all threads | × floor | on the main thread | × floor |"
    echo "|---|---|---|---|---|"
    local entry name all main floor_all="" floor_main=""
    for entry in "floor=$bin/kalpeno-floor" "kalpeno=$bin/kalpeno"; do
        name=${entry%%=*}
        all=$(count_instructions "${entry#*=}" "$work/cg.$name")
        # With threads apart, the dump on entering the show is the main thread's alone.
        main=$(count_instructions "${entry#*=}" "$work/cg-main.$name" --separate-threads=yes)
        if [[ -z "$all" || -z "$main" ]]; then
            echo "| $name | not measured | | | |"
            continue
        fi
        if [[ "$name" == floor ]]; then
            floor_all=$all
            floor_main=$main
        fi
        awk -v n="$name" -v a="$all" -v m="$main" -v fa="$floor_all" -v fm="$floor_main" '
            function ratio(x, f) { return f ? sprintf("%.2f", x / f) : "" }
            BEGIN { printf "| %s | %.1f M | %s | %.1f M | %s |\n", n, a / 1e6, ratio(a, fa), m / 1e6, ratio(m, fm) }'
    done
}

events() {
    local args=(--benchmark_repetitions=5 --benchmark_color=false)
    [[ "$quick" == 1 ]] && args=(--benchmark_repetitions=3 --benchmark_min_time=0.05
                                 --benchmark_color=false)
    QT_QPA_PLATFORM=offscreen "$bin/kalpeno-bench-events" "${args[@]}"
}

scale() {
    local args=()
    [[ "$quick" == 1 ]] && args=(--quick)
    QT_QPA_PLATFORM=offscreen "$bin/kalpeno-bench-scale" "${args[@]}"
}

# The Windows program under Wine on the same X server, when build-windows-release/ is there: its
# start-up and memory beside the floor's, with the prefix of a user (each window an X window, so
# that the launch timer sees it mapped), then the event and long-input benchmark on the tests'
# prefix (a virtual desktop: no window manager is needed for its activations).
windows() {
    local wbuild="$root/build-windows-release"
    local wbin="$wbuild/bin"
    if [[ ! -x "$wbin/kalpeno.exe" || ! -x "$wbin/kalpeno-floor.exe" ||
          ! -x "$wbin/kalpeno-bench-win32.exe" ]]; then
        echo "Not measured: build-windows-release/ is missing (\`make bench\` builds it once"
        echo "\`tools/setup.sh windows\` has run)."
        return
    fi
    (
        source "$root/testing/windows/wine-env.sh"
        serve() { # prefix: a fresh persistent server of that prefix, its first processes run
            wineserver -k 2>/dev/null || true
            wineserver -w
            wine_env "$1"
            wine_prefix
            [[ "$1" == *-desktop ]] && wine_desktop_prefix
            wineserver -k 2>/dev/null || true
            wineserver -w
            wineserver -p
            japanese_wine cmd.exe /c exit 0 </dev/null >/dev/null 2>&1
        }
        trap 'wineserver -k 2>/dev/null; wineserver -w' EXIT
        serve "$wbuild/wine-desktop"
        local run="${japanese[*]} wine"
        "$bin/kalpeno-launch-timer" --runs "$runs" --start-runs "$windows_start_runs" \
            --start-up-goal-only --output "$work/startup-windows.md" "kalpeno=$run $wbin/kalpeno.exe" \
            "floor=$run $wbin/kalpeno-floor.exe" >"$logs/startup-windows.log" 2>&1 ||
            echo "**The Windows start-up benchmark failed**: see $logs/startup-windows.log"
        [[ -f "$work/startup-windows.md" ]] && cat "$work/startup-windows.md"
        echo
        serve "$wbuild/wine"
        japanese_wine "$wbin/kalpeno-bench-win32.exe" 2>"$logs/events-windows.log" ||
            echo "**The Windows event benchmark failed**: see $logs/events-windows.log"
    )
}

windows_section() {
    echo "## Windows, under Wine"
    echo
    echo "kalpeno.exe of the windows-release build (stripped, as the installer ships it) under Wine"
    echo "(Wine is not Windows: a Windows machine's figures differ) on the same Xvfb, Japanese"
    echo "locale. Start-up and memory as above, from $windows_start_runs runs a program; the floor"
    echo "is a bare Win32 window with the calculator window's menu bar and as"
    echo "many native controls of each kind (bench/windows/kalpeno-floor.cpp). Then the cost of an"
    echo "event, median of 200, from the messages posted to the native control until the message"
    echo "loop has handled them, painting included, beside the headless model's; and the long"
    echo "inputs."
    echo
    windows
}

mkdir -p "$logs"
echo "run.sh: Xvfb on $display; $start_runs start-up runs per program" >&2
if [[ -n "$only" ]]; then
    {
        echo "# ${only^}"
        echo
        echo "Written by \`BENCH_ONLY=$only bench/run.sh\` on $(date -u '+%Y-%m-%d %H:%M UTC')."
        echo
        machine
        echo
        if [[ "$only" == latency ]]; then latency_section; else windows_section; fi
        echo
        echo "- load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
    } >"$work/table.md"
    mkdir -p "$(dirname "$out")"
    cp "$work/table.md" "$out"
    cat "$out"
    echo "run.sh: written to $out" >&2
    exit 0
fi
{
    echo "# Benchmarks"
    echo
    echo "Written by \`make bench\` (bench/run.sh) on $(date -u '+%Y-%m-%d %H:%M UTC')."
    echo
    machine
    echo
    echo "## Start-up and memory"
    echo
    echo "From exec to the first top-level window mapped (MapNotify on the root window of one"
    echo "Xvfb -noreset), median of $start_runs interleaved runs after one warm-up run, the order"
    echo "turning by one program each run; peak RSS (VmHWM) and private memory (Private_Dirty;"
    echo "Private_Clean too for information) read 1 s after the map in the first $runs of them."
    echo "The floor is a bare Qt Widgets window with a menu bar and as many widgets as the"
    echo "calculator window, built by the same build."
    echo
    startup
    echo
    echo "The work behind those times, counted in instructions up to the window's show (callgrind,"
    echo "under the same Xvfb): in all threads, and in the main thread alone, which is the path to"
    echo "the window where another core runs the rest."
    echo
    instructions
    echo
    latency_section
    echo
    echo "## Event cost"
    echo
    echo "Google Benchmark, median of 5 repetitions; each iteration times exactly one event in a"
    echo "realistic state prepared outside the timed region. Widgets: offscreen platform, from"
    echo "the event delivered to the widget until the widget shows the new text. The last column"
    echo "divides a widget event's median by the bare Qt click's of the same run: the times move"
    echo "with the machine's speed (a VM's neighbours), the quotient much less."
    echo
    events 2>"$logs/events.log" || echo "**The event benchmark failed**: see $logs/events.log"
    echo
    echo "## Scale"
    echo
    echo "Generated sessions of realistic calculations on all three calculators (keypad and"
    echo "keyboard, Enter leading from A to B to C, recall, Backspace, Clear, All clear),"
    echo "median of 3 runs each; tapes and Help.txt loads, each load in a fresh program."
    echo
    scale 2>"$logs/scale.log" || echo "**The scale benchmark failed**: see $logs/scale.log"
    echo
    windows_section
} >"$work/table.md"

mkdir -p "$(dirname "$out")"
cp "$work/table.md" "$out"
cat "$out"
echo "run.sh: written to $out" >&2
