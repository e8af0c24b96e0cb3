#!/usr/bin/env bash
# Installs what is missing, builds in Release and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-dependencies.sh
bash scripts/build.sh
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=offscreen
# The print tests print through a real print server to its PDF queue.
bash scripts/start-cups.sh
cd build
ctest --output-on-failure -j"$(nproc)"
