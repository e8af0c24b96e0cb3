#!/usr/bin/env bash
# Builds in Release and runs the benchmarks; each reports x_fill, its ratio to a streamed white fill of the same buffer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-dependencies.sh
bash scripts/build.sh
exec ./build/bench/lineavo_bench "$@"
