#!/usr/bin/env bash
# The cost of a picture: time and peak memory of the runner over ten million
# steps (or the number given) without a picture, with a PNG and with an SVG,
# for a seeded run at the default period and at 1 ms. With `methods`, the
# runner's steps per second instead, for each integration method under each law.
#   bench/runner_figures.sh [STEPS] [methods]
set -euo pipefail
cd "$(dirname "$0")/.."
steps=${1:-10000000}
build=build/release
scripts/install-deps.sh time
cmake --preset release >/dev/null
cmake --build --preset release --target pellomarin-run >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
if [ "${2:-}" = methods ]; then
    for law in inverse-distance newton; do
        for method in euler leapfrog accurate; do
            user=$(/usr/bin/time -f "%U" $build/cli/pellomarin-run --seed 7 --steps "$steps" \
                --describe --integrator $method --law $law 2>&1 >/dev/null)
            awk -v l=$law -v m=$method -v u="$user" -v n="$steps" \
                'BEGIN { printf "%-17s %-9s %6.2f s user, %.3g steps/s\n", l, m, u, n / u }'
        done
    done
    exit
fi
for run in "--seed 7" "--seed 7 --period 1"; do
    for picture in "" "--picture $work/run.png" "--picture $work/run.svg"; do
        figures=$(/usr/bin/time -f "%U s user, %e s wall, peak %M kB" \
            $build/cli/pellomarin-run $run --steps "$steps" --describe $picture 2>&1 >/dev/null)
        size=""
        [ -z "$picture" ] || size=", file $(stat -c %s "${picture#--picture }") bytes"
        printf '%-22s %-14s %s%s\n' "$run" "${picture##*/}" "$figures" "$size"
    done
done
