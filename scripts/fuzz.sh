#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang into build-fuzz/ and runs every one of them, side by
# side, for a short bounded time over a copy of its seed corpus (the seeds in the tree stay as they are).
# Exits non-zero when any target finds a crash, a sanitizer report, a broken promise, a leak, a time-out or
# an out-of-memory; the input that did it is kept in build-fuzz/fuzz-runs/<name>/ beside the run's log.
# FUZZ_SECONDS sets each target's run time (default 20).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh
# clang, the sanitizer and libFuzzer runtimes, and llvm-symbolizer for readable stacks.
scripts/install-packages.sh clang libclang-rt-14-dev llvm

build=build-fuzz
seconds="${FUZZ_SECONDS:-20}"
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DFUZZ=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" --target brennoc_fuzz -- -j"$(nproc)" --quiet

export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
export QT_QPA_PLATFORM=offscreen
runs="$build/fuzz-runs"
names=()
pids=()
for target in "$build"/tests/fuzz/fuzz_*; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    name="${target##*/fuzz_}"
    work="$runs/$name"
    rm -rf "$work"
    mkdir -p "$work/corpus"
    [ ! -d "tests/fuzz/corpus/$name" ] || cp -r "tests/fuzz/corpus/$name/." "$work/corpus/"
    options=(-max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -artifact_prefix="$work/")
    [ ! -f "tests/fuzz/$name.dict" ] || options+=(-dict="tests/fuzz/$name.dict")
    "$target" "${options[@]}" "$work/corpus" >"$work/log" 2>&1 &
    names+=("$name")
    pids+=($!)
done
[ ${#names[@]} -gt 0 ] || { echo "no fuzz targets in $build/tests/fuzz" >&2; exit 1; }

failed=()
for i in "${!names[@]}"; do
    name="${names[$i]}"
    if wait "${pids[$i]}"; then
        echo "fuzz_$name: $(grep -E '^#[0-9]+' "$runs/$name/log" | tail -n 1)"
        continue
    fi
    failed+=("$name")
    echo "fuzz_$name FAILED (log and input in $runs/$name/):"
    tail -n 60 "$runs/$name/log"
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzing found failures in: ${failed[*]}" >&2
    exit 1
fi
