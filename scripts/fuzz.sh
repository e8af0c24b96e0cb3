#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/*_fuzzer.cpp, or those named after SECONDS) with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer, runs each for SECONDS (default 60) on its
# corpus, and merges what it found back into fuzz/corpus/<target>, keeping only inputs that add
# coverage and every input named by hand (a name that is not libFuzzer's hash of the bytes).
# A crash, or an input that takes more memory than the program's budget (see
# fuzz/CMakeLists.txt), stops the script; its input is in <build>/fuzz-artifacts/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build_dir="${FUZZ_BUILD_DIR:-build-fuzz}"

# The targets named after SECONDS, or all of them.
targets=("${@:2}")
if [[ ${#targets[@]} -eq 0 ]]; then
    for source in fuzz/*_fuzzer.cpp; do
        targets+=("$(basename "$source" _fuzzer.cpp)")
    done
fi

CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLINEAVO_FUZZ=ON -DLINEAVO_BENCH=OFF -DLINEAVO_TESTS=OFF >/dev/null
cmake --build "$build_dir" -j"$(nproc)" --target "${targets[@]/#/fuzz_}"
# rss_limit_mb and malloc_limit_mb, as the build worked them out.
source "$build_dir/fuzz/memory_limits.sh"

# The longest input of a target: pictures up to 1 MB, enough for compressed runs and chunks
# that claim far more than they hold; the document and calibration files are small.
max_len_of() {
    case "$1" in
        document | calibration) echo 2048 ;;
        *) echo 1048576 ;;
    esac
}

is_named_by_hand() {
    [[ ! "$(basename "$1")" =~ ^[0-9a-f]{40}$ ]]
}

for target in "${targets[@]}"; do
    fuzzer="$build_dir/fuzz/fuzz_$target"
    corpus="fuzz/corpus/$target"
    found="$build_dir/fuzz-found/$target"
    artifacts="$build_dir/fuzz-artifacts/$target"
    mkdir -p "$corpus" "$found" "$artifacts"
    echo "== $target: fuzzing for $seconds seconds"
    "$fuzzer" -max_total_time="$seconds" -max_len="$(max_len_of "$target")" \
        -rss_limit_mb="$rss_limit_mb" -malloc_limit_mb="$malloc_limit_mb" \
        -artifact_prefix="$artifacts/" -print_final_stats=1 "$found" "$corpus"
    merged="$build_dir/fuzz-merged/$target"
    rm -rf "$merged"
    mkdir -p "$merged"
    "$fuzzer" -merge=1 -max_len="$(max_len_of "$target")" -rss_limit_mb="$rss_limit_mb" \
        -malloc_limit_mb="$malloc_limit_mb" "$merged" "$corpus" "$found" 2>&1 |
        grep -E "MERGE-OUTER: [0-9]+ new files" || true
    # Inputs named by hand stay under their names, whether or not they add coverage; the merge
    # keeps a copy of one under its hash only when it does.
    for input in "$corpus"/*; do
        if [[ -f "$input" ]] && is_named_by_hand "$input"; then
            rm -f "$merged/$(sha1sum "$input" | cut -d' ' -f1)"
            cp "$input" "$merged/"
        fi
    done
    rm -rf "$corpus"
    cp -r "$merged" "$corpus"
    echo "== $target: $(ls "$corpus" | wc -l) inputs in $corpus"
done
