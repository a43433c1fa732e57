#!/usr/bin/env bash
# The real application under Xvfb: settings appear at launch and at the
# delayed start, the picture moves, stops on Suspend and moves on Resume.
#   e2e_test.sh PELLOMARIN SCREENSHOT
set -euo pipefail
app=$1
screenshot=$2

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi

work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
conf=$XDG_CONFIG_HOME/Pellomarin/Pellomarin.conf
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Waits up to $1 seconds for a command to succeed.
eventually() {
    local limit=$1
    shift
    for _ in $(seq $((limit * 10))); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

shot() { "$screenshot" "$work/$1.png" "$window"; }
same() { cmp -s "$work/$1.png" "$work/$2.png"; }

"$app" 2>"$work/stderr" & pid=$!
started=$(date +%s%N)
window=$(xdotool search --sync --onlyvisible --name '^Pellomarin$' | head -1)
[ -n "$window" ] || fail "no window"

eventually 3 grep -q '^mass%200=1$' "$conf" 2>/dev/null || fail "mass keys not written at launch"
grep -q '^mass%202=1$' "$conf" || fail "mass 2 not written at launch"
if grep -q 'calculation%20period' "$conf"; then fail "period written before the delayed start"; fi

eventually 10 grep -q '^calculation%20period=30$' "$conf" || fail "period not written by the start"
grep -q '^gravitational%20constant=5$' "$conf" || fail "constant not written by the start"
elapsed=$((($(date +%s%N) - started) / 1000000))
echo "started after ${elapsed} ms"
[ "$elapsed" -gt 4000 ] || fail "started before the delay"

sleep 0.5
shot moving1
sleep 0.5
shot moving2
same moving1 moving2 && fail "picture does not move while running"

xdotool windowfocus --sync "$window"
xdotool key --window "$window" ctrl+b
sleep 1.2  # a status-bar tick after the suspension
shot held1
sleep 1.0
shot held2
same held1 held2 || fail "picture moves while suspended"

xdotool key --window "$window" ctrl+b
sleep 0.5
shot resumed
same held2 resumed && fail "picture does not move after Resume"
kill -0 "$pid" || fail "application exited"
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=
if grep -E "Sanitizer|runtime error:" "$work/stderr"; then fail "sanitizer report"; fi
echo "PASS"
