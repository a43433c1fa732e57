#!/usr/bin/env bash
# Non-blank lines of the code (src/, cli/) and of the tests (tests/, fuzz/
# without its saved corpus), and how they compare: the aim is a third, at
# most 0.35.
set -euo pipefail
cd "$(dirname "$0")/.."
count() { git ls-files -- "$@" | grep -v '^fuzz/corpus/' | xargs cat | grep -cv '^\s*$'; }
code=$(count src cli)
tests=$(count tests fuzz)
awk -v c="$code" -v t="$tests" 'BEGIN { printf "code %d, tests %d, ratio %.3f\n", c, t, t / c }'
