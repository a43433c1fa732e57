#!/usr/bin/env bash
# Takes a picture of the running application under Xvfb, a few seconds after
# its start, into docs/screenshot.png (or the file given); with "trails",
# of the window with trails on, after ten seconds of motion; with "keep", with
# trails and Keep All in View on, after SECONDS of motion (40 unless told),
# long enough in most runs for a ball to have been thrown out.
#   scripts/screenshot.sh [FILE [trails | keep [SECONDS]]]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot.png}
if [ -z "${DISPLAY:-}" ]; then
    scripts/install-deps.sh
    cmake --preset release >/dev/null
    cmake --build --preset release --target pellomarin pellomarin-screenshot
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$out" "${2:-}" "${3:-}"
fi
work=$(mktemp -d)
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work XDG_RUNTIME_DIR=$work
wait=9  # the delayed start, then a few seconds of motion
mkdir -p "$work/Pellomarin"
case "${2:-}" in
trails)
    printf '[General]\nshow%%20trails=1\n' >"$work/Pellomarin/Pellomarin.conf"
    wait=15
    ;;
keep)
    printf '[General]\nshow%%20trails=1\nkeep%%20all%%20in%%20view=1\n' \
        >"$work/Pellomarin/Pellomarin.conf"
    wait=$((5 + ${3:-40}))
    ;;
esac
build/release/src/app/pellomarin & pid=$!
window=$(xdotool search --sync --onlyvisible --name '^Pellomarin$' | head -1)
sleep $wait
build/release/tools/pellomarin-screenshot "$out" "$window"
echo "saved $out"
