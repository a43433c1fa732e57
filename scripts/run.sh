#!/usr/bin/env bash
# Builds Pellomarin and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target pellomarin
exec build/release/src/app/pellomarin "$@"
