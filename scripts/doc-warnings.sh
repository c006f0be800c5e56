#!/bin/sh
# SPDX-License-Identifier: Apache-2.0
# Writes the API reference (docs target) and reports how many public classes
# and other items have no doc comment. Informational: it never fails on them.
# Usage: scripts/doc-warnings.sh [BUILD_DIR]
cd "$(dirname "$0")/.."
BUILD_DIR=${1:-build}
if ! cmake --build "$BUILD_DIR" --target docs >/dev/null 2>&1; then
  echo "docs: not written (is doxygen installed? scripts/deps.sh installs it)"
  exit 0
fi
LOG="$BUILD_DIR/docs/warnings.log"
classes=$(grep -cE "warning: Compound .* is not documented" "$LOG")
members=$(grep -cE "warning: Member .* is not documented" "$LOG")
other=$(grep -c "warning:" "$LOG")
echo "docs: $BUILD_DIR/docs/html/index.html; undocumented public classes: $classes," \
     "undocumented members: $members, warnings in all: $other (list: $LOG)"
