#!/usr/bin/env bash
# A setting changed in the settings window survives SIGKILL right after the
# change, and the next launch reads it.
#   durability_test.sh PELLOMARIN SCREENSHOT
set -euo pipefail
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
app=$1 screenshot=$2
. "$(dirname "$0")/common.sh"

# Types into the settings window's first field (the calculation period) and
# kills the application at once.
change_period_and_kill() {
    launch
    key ctrl+comma
    local settings
    settings=$(timeout 10 xdotool search --sync --onlyvisible --name 'Settings' | head -1)
    [ -n "$settings" ] || fail "no settings window"
    xdotool windowfocus --sync "$settings"
    xdotool key --window "$settings" ctrl+a
    xdotool type --window "$settings" -- "$1"
    xdotool key --window "$settings" Return
    eventually 5 stored 'calculation%20period' "$1" || fail "period $1 not stored"
    kill -9 "$pid"
    wait "$pid" 2>/dev/null || true
    pid=
}

change_period_and_kill 45
stored 'calculation%20period' 45 || fail "period lost by SIGKILL"

# The next launch reads it: a valid period stays, a bad one is replaced.
launch
eventually 30 stored 'gravitational%20constant' 5 || fail "no start after relaunch"
stored 'calculation%20period' 45 || fail "period not kept by the next launch"
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
pid=

change_period_and_kill -5
launch
eventually 30 stored 'calculation%20period' 30 || fail "next launch did not read the stored -5"
quit
echo "PASS"
