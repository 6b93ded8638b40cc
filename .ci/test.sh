#!/usr/bin/env bash
# Checks every test suite the way README runs them (./build.sh test, in
# build/), with a compiler warning failing the build. The package and Windows
# jobs reuse this build.
set -euo pipefail
cd "$(dirname "$0")/.."
VURA_WARNINGS_AS_ERRORS=1 ./build.sh test
