#!/usr/bin/env bash
# The real application under Xvfb: settings appear at launch and at the
# delayed start, the picture moves, stops on Suspend and moves on Resume.
#   e2e_test.sh PELLOMARIN SCREENSHOT
set -euo pipefail
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
app=$1 screenshot=$2
. "$(dirname "$0")/common.sh"

started=$(date +%s%N)
launch
eventually 3 stored 'mass%200' 1 || fail "mass keys not written at launch"
stored 'mass%202' 1 || fail "mass 2 not written at launch"
if grep -q 'calculation%20period' "$conf"; then fail "period written before the delayed start"; fi

eventually 30 stored 'calculation%20period' 30 || fail "period not written by the start"
stored 'gravitational%20constant' 5 || fail "constant not written by the start"
elapsed=$((($(date +%s%N) - started) / 1000000))
echo "started after ${elapsed} ms"
[ "$elapsed" -ge 5000 ] || fail "started before the delay"

sleep 0.5
shot moving1
sleep 0.5
shot moving2
same moving1 moving2 && fail "picture does not move while running"

key ctrl+b
sleep 1.2  # a status-bar tick after the suspension
shot held1
sleep 1.0
shot held2
same held1 held2 || fail "picture moves while suspended"

key ctrl+b
sleep 0.5
shot resumed
same held2 resumed && fail "picture does not move after Resume"
quit
echo "PASS"
