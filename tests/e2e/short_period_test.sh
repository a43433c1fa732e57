#!/usr/bin/env bash
# At the shortest periods the memory the application holds stops growing and
# a keyboard command is still acted on.
#   short_period_test.sh PELLOMARIN SCREENSHOT
set -euo pipefail
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
app=$1 screenshot=$2
. "$(dirname "$0")/common.sh"

rss() { awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status"; }

for period in 0.001 0.013; do
    mkdir -p "$(dirname "$conf")"
    printf '[General]\ncalculation%%20period=%s\n' "$period" >"$conf"
    launch
    sleep 6.5  # the delayed start and a second of running
    first=$(rss)
    sleep 3
    second=$(rss)
    growth=$((second - first))
    echo "period $period ms: resident ${first} kB, then ${second} kB"
    [ "$growth" -lt 2048 ] || fail "memory grew by ${growth} kB in 3 s at $period ms"

    shot running
    key ctrl+b
    sleep 1.2
    shot held1
    sleep 0.6
    shot held2
    same held1 held2 || fail "Suspend not acted on at $period ms"
    same running held2 && fail "picture did not move at $period ms"
    quit
done
echo "PASS"
