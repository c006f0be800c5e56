#!/bin/sh
# SPDX-License-Identifier: Apache-2.0
# Installs the build in BUILD_DIR into a temporary prefix, builds the consumer
# example (examples/consumer) against it with find_package(OrvaneUI), runs it
# and checks the picture it wrote; also checks that pkg-config finds the
# package. Usage: scripts/consumer-test.sh [BUILD_DIR]
set -e
cd "$(dirname "$0")/.."
REPO=$(pwd)
BUILD_DIR=${1:-build}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cmake --install "$BUILD_DIR" --prefix "$WORK/prefix" >/dev/null
cmake -S examples/consumer -B "$WORK/build" -G Ninja -DCMAKE_PREFIX_PATH="$WORK/prefix" >/dev/null
cmake --build "$WORK/build" >/dev/null
# Run from elsewhere, with the source tree out of reach of the asset lookup.
(cd "$WORK" && env -u ORVANE_ASSET_DIR "$WORK/build/orvane_consumer" "$REPO/examples/consumer/note.xml" note.png)
head -c 8 "$WORK/note.png" | od -An -c | grep -q "P   N   G" || { echo "consumer: no PNG written" >&2; exit 1; }
# pkg-config gives what a build without CMake needs.
PC_PATH="$(dirname "$(find "$WORK/prefix" -name OrvaneUI.pc | head -n 1)")"
PKG_CONFIG_PATH="$PC_PATH" pkg-config --exists --print-errors "OrvaneUI >= 0.1"
# shellcheck disable=SC2046
${CXX:-c++} -std=c++20 -o "$WORK/by-pkg-config" examples/consumer/main.cpp \
  $(PKG_CONFIG_PATH="$PC_PATH" pkg-config --cflags --libs OrvaneUI)
LD_LIBRARY_PATH="$(dirname "$PC_PATH")" "$WORK/by-pkg-config" examples/consumer/note.xml "$WORK/narrow.png" 320 >/dev/null
# The installed tool runs from its bin folder.
"$WORK/prefix/bin/orvane" help >/dev/null
# Versioned SONAMEs.
if command -v readelf >/dev/null; then
  for lib in OrvaneUI orvane_displaylist orvane_host; do
    readelf -d "$(find "$WORK/prefix" -name "lib$lib.so" | head -n 1)" | grep -q "SONAME.*lib$lib\.so\.[0-9]" ||
      { echo "consumer: lib$lib.so has no versioned SONAME" >&2; exit 1; }
  done
fi
# The installed tree can move: the library finds its assets beside itself.
mv "$WORK/prefix" "$WORK/moved"
LIBDIR=$(dirname "$(find "$WORK/moved" -name libOrvaneUI.so | head -n 1)")
(cd "$WORK" && env -u ORVANE_ASSET_DIR LD_LIBRARY_PATH="$LIBDIR" "$WORK/build/orvane_consumer" \
   "$REPO/examples/consumer/note.xml" moved.png) | grep -q "assets: $WORK/moved/" ||
  { echo "consumer: the moved install does not find its assets" >&2; exit 1; }
mv "$WORK/moved" "$WORK/prefix"
echo "consumer: installed to a temporary prefix, built and ran examples/consumer"
