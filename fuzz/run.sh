#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and fuzzes them one after another,
# each for SECONDS (60 unless given), then merges the inputs that reach new
# code into the saved corpus in fuzz/corpus.
#
#   fuzz/run.sh [SECONDS] [TARGET...]
#
# A crash or a broken property stops the run; the input is kept in
# build/fuzz/artifacts. Replay it with build/fuzz/fuzz/TARGET FILE.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(number_text_fuzz field_text_fuzz runner_args_fuzz step_fuzz)
fi

scripts/install-deps.sh clang libclang-rt-14-dev
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

artifacts=build/fuzz/artifacts
mkdir -p "$artifacts"
for target in "${targets[@]}"; do
    binary=build/fuzz/fuzz/$target
    saved=fuzz/corpus/$target
    # New inputs go to a working corpus (ignored by git); only what adds
    # coverage to the saved corpus is merged into it.
    work=fuzz/corpus-work/$target
    mkdir -p "$saved" "$work"
    echo "== $target: $seconds s"
    "$binary" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$artifacts/$target-" "$work" "$saved"
    # Edges only, not hit counts: the saved corpus stays small.
    "$binary" -merge=1 -use_counters=0 "$saved" "$work"
done
