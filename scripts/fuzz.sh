#!/bin/sh
# SPDX-License-Identifier: Apache-2.0
# Builds the libFuzzer targets with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer in their own build folder, then runs each for a
# bounded time from its seed corpus. Exits non-zero when a target finds a
# crash, a leak, undefined behaviour or a failed check.
#   ORVANE_FUZZ_SECONDS    seconds per target (default 30)
#   ORVANE_FUZZ_BUILD_DIR  build folder (default build-fuzz)
#   ORVANE_FUZZ_JOBS       parallel build jobs (default 2)
#   ORVANE_FUZZ_TARGETS    the targets to run (default: all of them)
set -e
cd "$(dirname "$0")/.."
SECONDS_EACH=${ORVANE_FUZZ_SECONDS:-30}
BUILD_DIR=${ORVANE_FUZZ_BUILD_DIR:-build-fuzz}
JOBS=${ORVANE_FUZZ_JOBS:-2}
ALL_TARGETS="fuzz_geocode_answers fuzz_geo_enrichment_answers fuzz_directory_answers
  fuzz_model_documents fuzz_csv fuzz_style_text fuzz_expressions fuzz_format_names fuzz_axis_names
  fuzz_draw_json fuzz_report_pages"
TARGETS=${ORVANE_FUZZ_TARGETS:-$ALL_TARGETS}

# Assertions stay on (no NDEBUG): a failed rapidjson assertion is a finding.
CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
  -DCMAKE_C_FLAGS="-fsanitize=fuzzer-no-link" -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" \
  -DORVANE_SANITIZE=ON -DORVANE_FUZZ=ON -DORVANE_BUILD_BENCH=OFF >/dev/null
cmake --build "$BUILD_DIR" -j"$JOBS" --target $TARGETS

# Seeds of a target: its own corpus folder (hand-made inputs and the inputs
# of faults found before, kept as regression cases) and the examples and test
# data of the same kind.
seeds() {
  case "$1" in
    fuzz_geocode_answers|fuzz_geo_enrichment_answers|fuzz_directory_answers)
      echo tests/geo/answers/*.json tests/geo/fuzz/seeds/* ;;
    fuzz_model_documents) echo examples/*.xml examples/bad/*.xml ;;
    fuzz_csv) echo examples/*.csv ;;
    fuzz_draw_json) echo examples/draw/*.json examples/report/*.json examples/bad/*.json ;;
    fuzz_report_pages) echo examples/report/*.xml examples/richtext.xml examples/actions.xml ;;
  esac
  if [ -d "tests/fuzz/corpus/$1" ]; then echo "tests/fuzz/corpus/$1"/*; fi
}

dictionary() {
  case "$1" in
    fuzz_geocode_answers|fuzz_geo_enrichment_answers|fuzz_directory_answers) echo "-dict=tests/geo/fuzz/esri.dict" ;;
    *) if [ -f "tests/fuzz/dict/$1.dict" ]; then echo "-dict=tests/fuzz/dict/$1.dict"; fi ;;
  esac
}

status=0
for t in $TARGETS; do
  corpus="$BUILD_DIR/fuzz-corpus/$t"
  artifacts="$BUILD_DIR/fuzz-artifacts"
  mkdir -p "$corpus" "$artifacts"
  # shellcheck disable=SC2046
  cp $(seeds "$t") "$corpus"/
  echo "== $t: $SECONDS_EACH s"
  # shellcheck disable=SC2046
  if ! ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 \
       UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
       LSAN_OPTIONS=suppressions=tests/lsan.supp:print_suppressions=0 \
       "$BUILD_DIR/bin/$t" -max_total_time="$SECONDS_EACH" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
         -close_fd_mask=1 $(dictionary "$t") -artifact_prefix="$artifacts/$t-" -print_final_stats=1 "$corpus"; then
    echo "== $t FAILED: reproducer in $artifacts/"
    status=1
  fi
done
exit $status
