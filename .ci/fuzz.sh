#!/usr/bin/env bash
# Checks the parsers against the fuzzers: the libFuzzer targets, built with
# clang in build-fuzz, each run for 30 s on a copy of its seed corpus. A
# crash, a leak or an input slower than 10 s fails the job and leaves the
# input in build-fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DVURA_FUZZ=ON -DBUILD_TESTING=OFF \
    -DVURA_IDIOM_DATA="$VURA_IDIOM_DATA"
cmake --build build-fuzz --target fuzzers
for target in fuzz_idiomcsv fuzz_search; do
    corpus="$(mktemp -d)"
    cp fuzz/corpus/"$target"/* "$corpus"
    build-fuzz/fuzz/"$target" "$corpus" -max_total_time=30 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="build-fuzz/$target-"
    rm -rf "$corpus"
done
