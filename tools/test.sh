#!/usr/bin/env bash
# Builds Corvane and its tests with AddressSanitizer and UndefinedBehaviorSanitizer, then runs
# every test on a private virtual X server.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$CORVANE_ROOT/tools/install-dependencies.sh"
BUILD="$CORVANE_ROOT/build/test"
configure_and_build "$BUILD" -DCMAKE_BUILD_TYPE=Debug -DCORVANE_SANITIZE=ON -DCORVANE_WERROR=ON

cd "$BUILD"
xvfb-run -a -s "$CORVANE_XVFB_SCREEN" ctest --output-on-failure --timeout 300 -j "$(nproc)"
