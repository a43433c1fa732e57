#!/usr/bin/env bash
# Prints the application's performance figures: the step, painting, start-up,
# CPU and memory of the running window at 30 ms, 1 ms and 0.013 ms (at 30 and
# 1 ms with trails too), and how fast a key press is acted on at 0.013 ms.
# Runs under Xvfb at 1280 × 800.
#   bench/app_figures.sh [SECONDS]     (seconds per measured run, default 20)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
build=build/release

if [ -z "${DISPLAY:-}" ]; then
    scripts/install-deps.sh valgrind
    cmake --preset release >/dev/null
    cmake --build --preset release --target pellomarin pellomarin-screenshot app_bench \
        paint_bench engine_bench step_instructions >/dev/null
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 -p "$XDG_RUNTIME_DIR"

# Fresh settings with the given calculation period, and trails if asked (1).
settings() {
    export XDG_CONFIG_HOME=$work/config-$1-${2:-0}
    mkdir -p "$XDG_CONFIG_HOME/Pellomarin"
    printf '[General]\ncalculation%%20period=%s\nshow%%20trails=%s\n' "$1" "${2:-0}" \
        >"$XDG_CONFIG_HOME/Pellomarin/Pellomarin.conf"
}

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

for period in 30 1 0.013; do
    echo "== Running at $period ms for $seconds s"
    settings "$period"
    $build/bench/app_bench run "$seconds" 2>/dev/null
done
for period in 30 1; do
    echo "== Running at $period ms for $seconds s with trails"
    settings "$period" 1
    $build/bench/app_bench run "$seconds" 2>/dev/null
done

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
