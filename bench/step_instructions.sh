#!/bin/sh
# Instructions per integration step under callgrind: runs the step_instructions
# program for 1000 and for 2000 steps and divides the difference by 1000, so
# that start-up, the drawn start and printing cancel out.
# Usage: bench/step_instructions.sh path/to/step_instructions
set -eu

binary=${1:?usage: step_instructions.sh path/to/step_instructions}
command -v valgrind >/dev/null || { echo "valgrind is not installed" >&2; exit 1; }

instructions() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$binary" "$1" 2>&1 >/dev/null |
        sed -n 's/^==[0-9]*== Collected : \([0-9]*\)$/\1/p'
}

short=$(instructions 1000)
long=$(instructions 2000)
if [ -z "$short" ] || [ -z "$long" ]; then
    echo "callgrind reported no instruction count" >&2
    exit 1
fi
echo "instructions per step: $(( (long - short + 500) / 1000 ))"
