#!/bin/sh
# SPDX-License-Identifier: Apache-2.0
# The main job: installs what is needed, builds, and renders the bundled
# example report with the `orvane` tool into out/report.svg and
# out/report.png of the repository. Extra arguments go to the tool instead,
# run from the folder run.sh was called from (so relative paths are yours).
set -e
here=$(pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/deps.sh
scripts/build.sh build
if [ $# -gt 0 ]; then
  cd "$here"
  exec "$root/build/bin/orvane" "$@"
fi
mkdir -p out
build/bin/orvane render -o out/report.svg -o out/report.png
