#!/usr/bin/env bash
# Runs every test of a build folder with CTest; further arguments go to CTest.
set -euo pipefail
build=${1:-build}
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" "${@:2}"
