#!/usr/bin/env bash
# Writes the seed corpus of every fuzz target into BUILD/seeds/<target>/ from the made-up
# sample folder, and starts each target's working corpus BUILD/corpus/<target>/ from it.
set -euo pipefail
build=${1:?usage: fuzz-corpus.sh BUILD}
rm -rf "$build/seeds"
"$build/fuzz/fuzz_seeds" "$build/seeds"
for seeds in "$build"/seeds/*/; do
    target=$(basename "$seeds")
    mkdir -p "$build/corpus/$target"
    cp -n "$seeds"* "$build/corpus/$target/" 2>/dev/null || true
done
