#!/bin/sh
# SPDX-License-Identifier: Apache-2.0
# Installs what is needed, builds, and runs every test; installs the build into
# a temporary prefix and builds and runs the consumer example against it;
# reports the undocumented public classes of the API reference; then builds once more
# with clang, AddressSanitizer and UndefinedBehaviorSanitizer, runs the tests
# there too, and runs the fuzz targets of every reader of outside input for a
# bounded time.
#   ORVANE_SKIP_SANITIZE=1   skip the sanitizer build (and the fuzzing)
#   ORVANE_SKIP_FUZZ=1       skip the fuzzing
#   ORVANE_FUZZ_SECONDS=N    seconds per fuzz target (default 30)
set -e
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build
(cd build && ctest --output-on-failure -j"$(nproc)" "$@")
scripts/consumer-test.sh build
scripts/doc-warnings.sh build
if [ "${ORVANE_SKIP_SANITIZE:-0}" != "1" ]; then
  # The same configuration as scripts/fuzz.sh, so the fuzz targets share it.
  CC=clang CXX=clang++ scripts/build.sh build-sanitize \
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
    -DCMAKE_C_FLAGS="-fsanitize=fuzzer-no-link" -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" \
    -DORVANE_SANITIZE=ON -DORVANE_FUZZ=ON -DORVANE_BUILD_BENCH=OFF
  (cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
     ctest --output-on-failure -j"$(nproc)" "$@")
  if [ "${ORVANE_SKIP_FUZZ:-0}" != "1" ]; then
    ORVANE_FUZZ_BUILD_DIR=build-sanitize scripts/fuzz.sh
  fi
fi
