# Shared by the end-to-end tests: a private settings folder, the application
# under test, screenshots and waiting. Source it after setting $app and
# $screenshot; the caller re-runs itself under xvfb-run when no display is set.

work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
conf=$XDG_CONFIG_HOME/Pellomarin/Pellomarin.conf
pid=
window=

cleanup() {
    [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/stderr" ] && tail -20 "$work/stderr" >&2
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

launch() {
    "$app" 2>>"$work/stderr" &
    pid=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Pellomarin$' | head -1)
    [ -n "$window" ] || fail "no window"
}

# Ends the application normally and fails on any sanitizer report.
quit() {
    kill -0 "$pid" || fail "application exited"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=
    if grep -E "Sanitizer|runtime error:" "$work/stderr"; then fail "sanitizer report"; fi
}

key() {
    xdotool windowfocus --sync "$window"
    xdotool key --window "$window" "$@"
}

shot() { "$screenshot" "$work/$1.png" "$window"; }
same() { cmp -s "$work/$1.png" "$work/$2.png"; }
stored() { grep -q "^$1=$2\$" "$conf" 2>/dev/null; }
