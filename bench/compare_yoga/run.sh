#!/bin/sh
# SPDX-License-Identifier: Apache-2.0
# Installs yoga-layout (npm) on first use and runs the comparison.
# Usage: bench/compare_yoga/run.sh [path/to/bench_layout_responsive]
set -e
cd "$(dirname "$0")"
[ -d node_modules/yoga-layout ] || npm install --no-audit --no-fund >/dev/null
exec node compare.mjs "$@"
