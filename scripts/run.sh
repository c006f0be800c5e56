#!/bin/sh
# The main job: installs what is needed, builds, and runs the `orvane` tool on
# the bundled example (extra arguments go to the tool instead).
set -e
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build
if [ $# -gt 0 ]; then
  exec build/bin/orvane "$@"
fi
mkdir -p out
build/bin/orvane inspect examples/layout.xml
