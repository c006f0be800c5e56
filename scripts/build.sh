#!/bin/sh
# SPDX-License-Identifier: Apache-2.0
# Configures and builds the project. Usage: scripts/build.sh [BUILD_DIR] [extra cmake args...]
set -e
cd "$(dirname "$0")/.."
BUILD_DIR=${1:-build}
[ $# -gt 0 ] && shift
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"
