#!/bin/sh
# The main job: installs what is needed, builds, and renders the bundled
# example report with the `orvane` tool into out/report.svg and out/report.png
# (extra arguments go to the tool instead).
set -e
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build
if [ $# -gt 0 ]; then
  exec build/bin/orvane "$@"
fi
build/bin/orvane render
