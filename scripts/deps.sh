#!/bin/sh
# SPDX-License-Identifier: Apache-2.0
# Installs the Debian packages the build, the tests and the tool need.
set -e
PKGS="cmake ninja-build g++ clang pkg-config libclang-rt-14-dev
 libgtest-dev libgmock-dev googletest libbenchmark-dev
 libexpat1-dev libfreetype-dev libfontconfig-dev libharfbuzz-dev libcairo2-dev libpng-dev
 libcurl4-openssl-dev libicu-dev libproj-dev proj-data libmp3lame-dev libmpg123-dev libcsv-dev libutfcpp-dev
 rapidjson-dev libcpp-httplib-dev libdtl-dev libhwy-dev python3-pandas libboost-math-dev fonts-liberation2 fonts-dejavu-core librsvg2-bin
 fonts-noto-core fonts-noto-cjk fonts-droid-fallback doxygen
 chromium chromium-driver python3-selenium python3-pil"
missing=""
for p in $PKGS; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get install -y --no-install-recommends $missing || {
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends $missing
}
