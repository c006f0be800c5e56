#!/bin/sh
# Builds the libFuzzer targets of the geo answer parsers with clang, libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer in their own build folder,
# then runs each for a bounded time. Exits non-zero when a target finds a
# crash, a leak, undefined behaviour or a failed check.
#   ORVANE_FUZZ_SECONDS    seconds per target (default 60)
#   ORVANE_FUZZ_BUILD_DIR  build folder (default build-fuzz)
#   ORVANE_FUZZ_JOBS       parallel build jobs (default 2)
set -e
cd "$(dirname "$0")/.."
SECONDS_EACH=${ORVANE_FUZZ_SECONDS:-60}
BUILD_DIR=${ORVANE_FUZZ_BUILD_DIR:-build-fuzz}
JOBS=${ORVANE_FUZZ_JOBS:-2}
TARGETS="fuzz_geocode_answers fuzz_geo_enrichment_answers fuzz_directory_answers"

# Assertions stay on (no NDEBUG): a failed rapidjson assertion is a finding.
CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
  -DCMAKE_C_FLAGS="-fsanitize=fuzzer-no-link" -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" \
  -DORVANE_SANITIZE=ON -DORVANE_FUZZ=ON -DORVANE_BUILD_BENCH=OFF >/dev/null
cmake --build "$BUILD_DIR" -j"$JOBS" --target $TARGETS

status=0
for t in $TARGETS; do
  corpus="$BUILD_DIR/fuzz-corpus/$t"
  artifacts="$BUILD_DIR/fuzz-artifacts"
  mkdir -p "$corpus" "$artifacts"
  # Seeds: the recorded answers of the test server and a few hand-made ones.
  cp tests/geo/answers/*.json tests/geo/fuzz/seeds/* "$corpus"/
  echo "== $t: $SECONDS_EACH s"
  if ! ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 \
       UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
       "$BUILD_DIR/bin/$t" -max_total_time="$SECONDS_EACH" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
         -dict=tests/geo/fuzz/esri.dict -artifact_prefix="$artifacts/$t-" -print_final_stats=1 "$corpus"; then
    echo "== $t FAILED: reproducer in $artifacts/"
    status=1
  fi
done
exit $status
