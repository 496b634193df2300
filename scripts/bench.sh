#!/usr/bin/env bash
# Builds the optimised program and the benchmarks, runs the benchmarks, then
# starts palabrum and a bare Qt program of the same shape in turn, N times each
# (default 30), headless and then on a virtual X display, and compares their
# median start-up time and peak memory. The meeting load run needs mosquitto
# (scripts/install-deps.sh --tests).
#
#   scripts/bench.sh [N]
#
# BENCH_REPETITIONS (default 5) sets how often each benchmark is repeated; the
# medians of the repetitions are the figures to read. BENCH_STARTS_ONLY=1
# skips the benchmarks and compares the start-ups alone.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-30}
repetitions=${BENCH_REPETITIONS:-5}
[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "usage: scripts/bench.sh [N]" >&2; exit 2; }
for tool in cmake /usr/bin/time Xvfb; do
    command -v "$tool" >/dev/null || { echo "missing $tool: run scripts/install-deps.sh --tests" >&2; exit 1; }
done

cmake --preset release >/dev/null
cmake --build --preset release --target palabrum bare_qt_start model_bench gui_bench meeting_load

out=build/release
palabrum=$out/shell/palabrum
bare=$out/bench/bare_qt_start

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

bench_flags=(--benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true)

if [ "${BENCH_STARTS_ONLY:-0}" != 1 ]; then
    echo
    echo "== model benchmarks (state files in ${TMPDIR:-/tmp}) =="
    "$out/bench/model_bench" "${bench_flags[@]}"
    echo
    echo "== the same file benchmarks with the files in memory (/dev/shm): the disk's share =="
    if [ -d /dev/shm ] && [ -w /dev/shm ]; then
        TMPDIR=/dev/shm "$out/bench/model_bench" "${bench_flags[@]}" --benchmark_filter='File'
    else
        echo "(no writable /dev/shm)"
    fi
    echo
    echo "== GUI benchmarks (offscreen) =="
    QT_QPA_PLATFORM=offscreen "$out/bench/gui_bench" "${bench_flags[@]}"
    echo
    echo "== meeting play under load: a real mosquitto on loopback, about 2 minutes =="
    "$out/bench/meeting_load"
fi

# One start of a program, in fresh data and settings folders with no saved
# game: prints its wall time in microseconds, its peak resident memory in
# kilobytes, and the processor time (user plus system) in milliseconds, which
# other work on the machine disturbs less than the wall time.
start_once() {
    local program=$1 home
    home=$(mktemp -d "$work/start.XXXXXX")
    local begin end status=0 TIMEFORMAT='%3U %3S'
    begin=$(date +%s%N)
    { time XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config \
        /usr/bin/time -f %M -o "$home/rss" "$program" --screenshot "$home/shot.png" >"$home/log" 2>&1; } \
        2>"$home/cpu" || status=$?
    end=$(date +%s%N)
    [ "$status" -eq 0 ] || { echo "$program failed:" >&2; cat "$home/log" >&2; return 1; }
    [ -s "$home/shot.png" ] || { echo "$program wrote no picture" >&2; return 1; }
    local user sys
    read -r user sys <"$home/cpu"
    echo "$(((end - begin) / 1000)) $(tail -n 1 "$home/rss") $(awk -v u="$user" -v s="$sys" 'BEGIN { print (u + s) * 1000 }')"
    rm -rf "$home"
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Starts both programs alternately, after one unmeasured start each to warm
# the caches, and prints the comparison.
compare_starts() {
    local label=$1 i result
    local runs_p=$work/runs_p runs_b=$work/runs_b
    : >"$runs_p"; : >"$runs_b"
    start_once "$palabrum" >/dev/null
    start_once "$bare" >/dev/null
    for ((i = 0; i < runs; i++)); do
        result=$(start_once "$palabrum"); echo "$result" >>"$runs_p"
        result=$(start_once "$bare"); echo "$result" >>"$runs_b"
    done
    local tp tb mp mb cp cb
    tp=$(cut -d' ' -f1 "$runs_p" | median); tb=$(cut -d' ' -f1 "$runs_b" | median)
    mp=$(cut -d' ' -f2 "$runs_p" | median); mb=$(cut -d' ' -f2 "$runs_b" | median)
    cp=$(cut -d' ' -f3 "$runs_p" | median); cb=$(cut -d' ' -f3 "$runs_b" | median)
    echo
    echo "== start-up, $label, $runs starts each =="
    awk -v tp="$tp" -v tb="$tb" -v mp="$mp" -v mb="$mb" -v cp="$cp" -v cb="$cb" \
        -v tpmin="$(cut -d' ' -f1 "$runs_p" | sort -n | head -1)" \
        -v tbmin="$(cut -d' ' -f1 "$runs_b" | sort -n | head -1)" 'BEGIN {
        printf "palabrum       median %7.1f ms (fastest %6.1f ms)  median CPU %6.1f ms  median peak RSS %6d kB\n", tp / 1000, tpmin / 1000, cp, mp
        printf "bare_qt_start  median %7.1f ms (fastest %6.1f ms)  median CPU %6.1f ms  median peak RSS %6d kB\n", tb / 1000, tbmin / 1000, cb, mb
        printf "palabrum / bare: time %.3f (goal <= 1.20), peak memory %.3f (goal <= 1.15), CPU time %.3f\n", tp / tb, mp / mb, cp / cb
    }'
}

QT_QPA_PLATFORM=offscreen compare_starts "QT_QPA_PLATFORM=offscreen"

# A virtual X display on the first free number.
display=99
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
Xvfb ":$display" -noreset -nolisten tcp -screen 0 1280x1024x24 >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; exit 1; }
    sleep 0.1
done
[ -e "/tmp/.X11-unix/X$display" ] || { echo "Xvfb did not start" >&2; exit 1; }

(
    unset QT_QPA_PLATFORM WAYLAND_DISPLAY
    export DISPLAY=":$display"
    compare_starts "Xvfb :$display (xcb)"
)
