#!/usr/bin/env bash
# Builds the test suite with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-sanitize/ (or $SANITIZE_BUILD_DIR) and runs it; any report fails the run. Expects the
# print server of scripts/start-cups.sh, as scripts/test.sh does.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${SANITIZE_BUILD_DIR:-build-sanitize}"
# Optimised, so that the suite runs in minutes; no benchmarks, which the suite does not run.
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLINEAVO_SANITIZE=ON \
    -DLINEAVO_BENCH=OFF >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=offscreen
# The leak checker misreads the dynamic thread-local blocks that this system's C library gives
# the toolkit's loaded plugins, and crashes in its own tracer; it need not track them here.
export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1:intercept_tls_get_addr=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
# The toolkit's own libraries are not built with the sanitizers; what they keep until exit
# (fonts, the platform plugin) is theirs, not ours.
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/scripts/leak-suppressions.txt}"
cd "$build_dir"
ctest --output-on-failure -j"$(nproc)"
