#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/*_fuzzer.cpp) with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, runs each for SECONDS (default 60) on its corpus, and merges
# what it found back into fuzz/corpus/<target>, keeping only inputs that add coverage.
# A crash stops the script; its input is in <build>/fuzz-artifacts/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build_dir="${FUZZ_BUILD_DIR:-build-fuzz}"

targets=()
for source in fuzz/*_fuzzer.cpp; do
    name="$(basename "$source" _fuzzer.cpp)"
    targets+=("$name")
done

CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLINEAVO_FUZZ=ON -DLINEAVO_BENCH=OFF -DLINEAVO_TESTS=OFF >/dev/null
cmake --build "$build_dir" -j"$(nproc)" --target "${targets[@]/#/fuzz_}"

for target in "${targets[@]}"; do
    fuzzer="$build_dir/fuzz/fuzz_$target"
    corpus="fuzz/corpus/$target"
    found="$build_dir/fuzz-found/$target"
    artifacts="$build_dir/fuzz-artifacts/$target"
    mkdir -p "$corpus" "$found" "$artifacts"
    echo "== $target: fuzzing for $seconds seconds"
    "$fuzzer" -max_total_time="$seconds" -max_len=2048 -artifact_prefix="$artifacts/" \
        -print_final_stats=1 "$found" "$corpus"
    merged="$build_dir/fuzz-merged/$target"
    rm -rf "$merged"
    mkdir -p "$merged"
    "$fuzzer" -merge=1 "$merged" "$corpus" "$found" 2>&1 | grep -E "MERGE-OUTER: [0-9]+ new files" || true
    rm -rf "$corpus"
    cp -r "$merged" "$corpus"
    echo "== $target: $(ls "$corpus" | wc -l) inputs in $corpus"
done
