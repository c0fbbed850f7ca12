#!/usr/bin/env bash
# Runs every fuzz target of BUILD for SECONDS each over its corpus. A crash, leak, hang or
# sanitizer report leaves its input in BUILD/artifacts/<target>/ and fails the run at the end.
set -euo pipefail
build=${1:?usage: run-fuzz.sh BUILD SECONDS}
seconds=${2:-60}
failed=()
# The targets rewrite their files at every input: memory-backed scratch folders run faster.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
for exe in "$build"/fuzz/fuzz_*; do
    target=${exe##*/fuzz_}
    [ "$target" = seeds ] && continue
    mkdir -p "$build/corpus/$target" "$build/artifacts/$target"
    echo "== $target: ${seconds}s"
    if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=32768 \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$target/" \
        "$build/corpus/$target" 2>"$build/artifacts/$target.log"; then
        failed+=("$target")
        tail -n 40 "$build/artifacts/$target.log"
    else
        grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units)' "$build/artifacts/$target.log" || true
    fi
done
if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzz findings in: ${failed[*]} (inputs under $build/artifacts/)" >&2
    exit 1
fi
