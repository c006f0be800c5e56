#!/bin/sh
# Installs what is needed, builds, and runs every test; then builds once more
# with AddressSanitizer and UndefinedBehaviorSanitizer and runs the tests there.
# Set ORVANE_SKIP_SANITIZE=1 to skip the second pass.
set -e
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build
(cd build && ctest --output-on-failure -j"$(nproc)" "$@")
if [ "${ORVANE_SKIP_SANITIZE:-0}" != "1" ]; then
  scripts/build.sh build-asan -DORVANE_SANITIZE=ON -DORVANE_BUILD_BENCH=OFF
  (cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
     ctest --output-on-failure -j"$(nproc)" "$@")
fi
