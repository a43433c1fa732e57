#!/usr/bin/env bash
# The real application under Xvfb and the openbox window manager, as a user
# meets it: e2e.sh PELLOMARIN SCREENSHOT
set -euo pipefail
for tool in xvfb-run xdotool openbox wmctrl; do type -P "$tool" >/dev/null || { echo "FAIL: no $tool" >&2; exit 1; }; done
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a -n "${E2E_DISPLAY:-99}" -s "-screen 0 1280x800x24" "$0" "$@"
app=$1 screenshot=$2 work=$(mktemp -d)
# A bus address, as a desktop session has one: without any, libdbus's X11 autolaunch leaks at exit.
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime DBUS_SESSION_BUS_ADDRESS=unix:path=$work/bus
mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/Pellomarin"
conf=$XDG_CONFIG_HOME/Pellomarin/Pellomarin.conf pid= wm=
trap '[ -z "$pid" ] || kill -9 "$pid" 2>/dev/null; [ -z "$wm" ] || kill "$wm"; rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; tail -20 "$work/stderr" >&2 2>/dev/null; exit 1; }
# Tries a command ten times a second for up to $1 seconds.
eventually() { local n=$(($1 * 10)); shift; until "$@"; do n=$((n - 1)); [ $n -gt 0 ] || return 1; sleep 0.1; done; }
# The drawing only: the status bar changes at its own ticks.
shot() { "$screenshot" "$work/$1.png" "$window" 0 40 1200 500; }
rss() { awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status"; }
launch() {
    launched=$(date +%s%N)
    "$app" 2>>"$work/stderr" & pid=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Pellomarin$' | head -1)
    [ -n "$window" ] || fail "no window"
}
# The program ends within ten seconds, with status 0 and no sanitizer report.
ends() {
    eventually 10 eval '! kill -0 $pid 2>/dev/null' || fail "still running after $1"
    local status=0; wait "$pid" || status=$?
    pid=
    [ "$status" -eq 0 ] || fail "exit status $status after $1"
    if grep -E "Sanitizer|runtime error:" "$work/stderr"; then fail "sanitizer report"; fi
}

openbox --startup "touch $work/wm" 2>/dev/null & wm=$!
eventually 10 test -e "$work/wm" || fail "no window manager"
# The shortest period, and a bad constant that the start replaces.
printf '[General]\ncalculation%%20period=0.001\ngravitational%%20constant=-5\n' >"$conf"
launch
# The delayed start writes the constant, never before five seconds.
eventually 30 grep -qs '^gravitational%20constant=5$' "$conf" || fail "no start"
ms=$((($(date +%s%N) - launched) / 1000000)); [ $ms -ge 5000 ] || fail "started $ms ms after launch"

sleep 1; first=$(rss); sleep 3; last=$(rss)
[ $((last - first)) -lt 2048 ] || fail "memory grew from $first kB to $last kB"

# Painted at all at that period (Suspend's effect on the picture is the application test's).
shot a; sleep 0.5; shot b; cmp -s "$work/a.png" "$work/b.png" && fail "picture does not move while running"

before=$(xdotool getwindowgeometry "$window")
xdotool mousemove --window "$window" 300 200 click 1 sleep 0.3 mousemove 20 20 sleep 0.5
[ "$(xdotool getwindowgeometry "$window")" = "$before" ] || fail "a click moved the window"

xdotool windowfocus --sync "$window" key --window "$window" ctrl+comma
timeout 10 xdotool search --sync --onlyvisible --name 'Settings' >/dev/null || fail "no settings window"
wmctrl -i -c "$window"  # as its close button would
ends "its window closed with the settings open"
launch
# Through the keyboard (XTEST): the window is gone before the key is let go.
xdotool windowfocus --sync "$window" key ctrl+q
ends "Ctrl+Q"
echo PASS
