#!/usr/bin/env bash
# Prints the application's performance figures: the step, painting, start-up,
# the cost table of the running window at 30, 1, 0.1 and 0.013 ms (at 30 and
# 1 ms with trails too, and at 30 ms with Keep All in View, without and with
# trails), and how fast a key press is acted on at 0.013 ms.
# Runs under Xvfb at 1600 × 900.
#   [BUILD_DIR=build/other] [BEFORE=build/before] [ROWS="30,1,30 1,30 0 0 leapfrog"] bench/app_figures.sh [table]
# table: the cost table only; ROWS: its rows, comma-separated: the period, then
# 1 or 0 for trails and for Keep All in View, then an integration method
# ("30 1" is 30 ms with trails, "30 0 0 leapfrog" 30 ms under leapfrog);
# BEFORE: another build measured beside this one, row by row, so that both
# see the same machine.
set -euo pipefail
cd "$(dirname "$0")/.."
only=${1:-}
seconds=10
build=${BUILD_DIR:-build/release}  # another tree for a before-and-after comparison

if [ -z "${DISPLAY:-}" ]; then
    scripts/install-deps.sh valgrind
    cmake --preset release >/dev/null
    cmake --build --preset release --target pellomarin pellomarin-screenshot app_bench \
        paint_bench engine_bench step_instructions >/dev/null
    exec xvfb-run -a -s "-screen 0 1600x900x24" "$0" "$@"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 -p "$XDG_RUNTIME_DIR"

# Fresh settings with the given calculation period, trails and Keep All in
# View if asked (1), and an integration method (euler unless told).
settings() {
    export XDG_CONFIG_HOME=$work/config-$1-${2:-0}-${3:-0}-${4:-euler}
    mkdir -p "$XDG_CONFIG_HOME/Pellomarin"
    printf '[General]\ncalculation%%20period=%s\nshow%%20trails=%s\nkeep%%20all%%20in%%20view=%s\nintegration%%20method=%s\n' \
        "$1" "${2:-0}" "${3:-0}" "${4:-euler}" >"$XDG_CONFIG_HOME/Pellomarin/Pellomarin.conf"
}

# Waits, ten minutes at most, for 5 s in which the machine is over 95 % idle:
# other work on it would show in every figure.
quiet() {
    local tries=60 a b
    while [ $tries -gt 0 ]; do
        a=($(head -1 /proc/stat)); sleep 5; b=($(head -1 /proc/stat))
        local idle=$((b[4] + b[5] - a[4] - a[5])) all=0 k
        for k in 1 2 3 4 5 6 7 8; do all=$((all + b[k] - a[k])); done
        [ $((idle * 100)) -gt $((all * 95)) ] && return
        tries=$((tries - 1))
    done
}

# The cost of the running window, 10 s from a second after the delayed start.
table() {
    echo "== Running costs; load average $(cut -d' ' -f1-3 /proc/loadavg)"
    echo "| period | process | main thread | timer thread | other threads | main wake-ups/s | paints/s | ticks/s | lateness p50 / p99 / p99.9 (leeway) | peak RSS | rest of the machine |"
    echo "|---|---|---|---|---|---|---|---|---|---|---|"
    local rows=("30" "1" "0.1" "0.013" "30 1" "1 1" "30 0 1" "30 1 1")
    [ -z "${ROWS:-}" ] || IFS=, read -r -a rows <<<"$ROWS"
    for run in "${rows[@]}"; do
        settings $run
        for tree in ${BEFORE:-} $build; do
            quiet
            [ -z "${BEFORE:-}" ] || printf '%s: ' "$tree"
            $tree/bench/app_bench run "$seconds" 2>/dev/null
        done
    done
    echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
}
if [ "$only" = table ]; then
    table
    exit
fi

echo "== The step"
$build/bench/engine_bench --benchmark_filter='BM_Step$' --benchmark_repetitions=3 \
    --benchmark_report_aggregates_only=true 2>/dev/null | grep -E 'median' || true
bench/step_instructions.sh $build/bench/step_instructions

echo "== Painting"
$build/bench/paint_bench 4000 2>/dev/null

echo "== Start-up to the first painted frame (five launches)"
settings 30
for _ in 1 2 3 4 5; do
    PELLOMARIN_BENCH_LAUNCHED_NS=$(date +%s%N) $build/bench/app_bench startup 2>/dev/null
done

table

echo "== A key press at 0.013 ms"
settings 0.013
$build/src/app/pellomarin 2>/dev/null &
pid=$!
window=$(xdotool search --sync --onlyvisible --name '^Pellomarin$' | head -1)
sleep 7
xdotool windowfocus --sync "$window"
shots=0
for _ in 1 2 3 4 5; do
    # The drawing only: the status bar changes at its own ticks.
    xdotool key --window "$window" ctrl+b
    sleep 0.1
    $build/tools/pellomarin-screenshot "$work/a.png" "$window" 0 40 1200 500
    sleep 0.4
    $build/tools/pellomarin-screenshot "$work/b.png" "$window" 0 40 1200 500
    cmp -s "$work/a.png" "$work/b.png" && shots=$((shots + 1))
    xdotool key --window "$window" ctrl+b
    sleep 0.3
done
kill "$pid"
echo "Suspend had taken effect within 100 ms in $shots of 5 tries"
