#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts the program with any arguments given.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-dependencies.sh
bash scripts/build.sh
exec ./build/lineavo-pressolo "$@"
