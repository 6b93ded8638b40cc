#!/usr/bin/env bash
# Checks the search from two threads at once under ThreadSanitizer, in
# build-tsan: only the suite that runs it is built, and a data race fails it.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-tsan -G Ninja -DVURA_SANITIZE_THREAD=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
    -DVURA_IDIOM_DATA="$VURA_IDIOM_DATA"
cmake --build build-tsan --target tst_search
QT_QPA_PLATFORM=offscreen ctest --test-dir build-tsan -R '^tst_search$' --output-on-failure
