# SPDX-License-Identifier: Apache-2.0
# libFuzzer targets of the geo answer parsers. Built only in a clang build
# configured with -DORVANE_FUZZ=ON (scripts/fuzz.sh does that, in its own
# build folder, with the sanitizers on).
option(ORVANE_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(ORVANE_FUZZ)
  orvane_add_fuzz_targets(${CMAKE_CURRENT_LIST_DIR}/fuzz GeocodeAnswers GeoEnrichmentAnswers DirectoryAnswers)
endif()
