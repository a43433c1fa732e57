#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, fuzzes each for SECONDS (60 unless
# given) and merges the inputs that reach new code into fuzz/corpus.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
# A broken property stops the run; the input is kept in build/fuzz/artifacts.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("${@:-number_text_fuzz runner_args_fuzz step_fuzz}")
scripts/install-deps.sh clang libclang-rt-14-dev
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p build/fuzz/artifacts
for target in ${targets[*]}; do
    mkdir -p "fuzz/corpus/$target" "fuzz/corpus-work/$target"
    echo "== $target: $seconds s"
    build/fuzz/fuzz/$target -max_total_time="$seconds" -artifact_prefix="build/fuzz/artifacts/$target-" \
        "fuzz/corpus-work/$target" "fuzz/corpus/$target"
    # Edges only, not hit counts: the saved corpus stays small.
    build/fuzz/fuzz/$target -merge=1 -use_counters=0 "fuzz/corpus/$target" "fuzz/corpus-work/$target"
done
