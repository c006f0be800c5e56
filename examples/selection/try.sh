#!/bin/sh
# SPDX-License-Identifier: Apache-2.0
# Selections and slider snapping on the bundled sales data, from the build
# folder's tool:  sh examples/selection/try.sh [path/to/orvane]
orvane=${1:-build/bin/orvane}
data=$(dirname "$0")/../sales.csv

# A list prompt's pick: two regions. The selection taken back over the
# category columns names every picked row; applied to a fresh copy of the
# data it selects the same rows.
"$orvane" select "$data" --where '"region" in ("East","West")' --rows 5

# A range slider's pick on a measure, taken back over region and product:
# those two do not tell every row apart, and the round trip says so.
"$orvane" select "$data" --where '"quantity" between 2 and 20' --vars region,product --rows 5

# A binned measure: picked bins come back as ranges, or-ed; a value on a bin
# boundary belongs to the bin it starts.
"$orvane" select "$data" --where '"quantity" >= 10' --vars quantity --bins quantity:0,10,20,50

# Slider stops: hundredths for two decimals, days across a leap day, months.
"$orvane" snap 0 0.1 --format COMMA8.2
"$orvane" snap 2024-02-26 2024-03-02 --format DATE9.
"$orvane" snap 2023-11-15 2024-04-15 --format MONYY7.
