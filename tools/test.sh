#!/usr/bin/env bash
# Builds Corvane and its tests with AddressSanitizer and UndefinedBehaviorSanitizer, runs short
# fuzz smoke runs of the file readers (a clang build of its own), then runs every test on a
# private virtual X server.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$CORVANE_ROOT/tools/install-dependencies.sh"

FUZZ_BUILD="$CORVANE_ROOT/build/fuzz"
cmake -S "$CORVANE_ROOT" -B "$FUZZ_BUILD" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=Debug -DCORVANE_SANITIZE=ON -DCORVANE_FUZZ=ON \
    -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCHMARKS=OFF
cmake --build "$FUZZ_BUILD" -j "$(nproc)" --target corvane_fuzzers
(cd "$FUZZ_BUILD" && ctest --output-on-failure -j "$(nproc)")

BUILD="$CORVANE_ROOT/build/test"
configure_and_build "$BUILD" -DCMAKE_BUILD_TYPE=Debug -DCORVANE_SANITIZE=ON -DCORVANE_WERROR=ON

cd "$BUILD"
xvfb-run -a -s "$CORVANE_XVFB_SCREEN" ctest --output-on-failure --timeout 300 -j "$(nproc)"
