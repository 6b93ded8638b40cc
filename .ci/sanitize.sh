#!/usr/bin/env bash
# Checks every test again, built with AddressSanitizer and UBSan in
# build-asan: a sanitizer finding (a leak included) fails its test.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -G Ninja -DVURA_SANITIZE=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
    -DVURA_IDIOM_DATA="$VURA_IDIOM_DATA"
cmake --build build-asan
QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan --output-on-failure
