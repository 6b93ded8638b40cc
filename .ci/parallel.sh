#!/usr/bin/env bash
# Checks that the build's dependency graph is complete: a clean build with
# CMake's default generator (Makefiles on Linux), as many jobs at once as
# there are cores, must build every target. A file that one folder's target
# takes from another folder's custom command without waiting for its target
# fails here, where Ninja's single graph hides it.
set -euo pipefail
cd "$(dirname "$0")/.."
rm -rf build-default
cmake -S . -B build-default -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DVURA_IDIOM_DATA="$VURA_IDIOM_DATA"
cmake --build build-default --parallel "$(nproc)"
