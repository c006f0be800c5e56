// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/datagrid/CellGraph.h"

#include <cstdint>
#include <memory>

namespace orvane {

/// The colour of a heat-map cell: the graph's fill colour when one was set
/// (its missing colour for a missing value), otherwise the value mapped over
/// the ramp of style attributes 27, 28 and 26 (in that order), or 0xDCDCDC
/// when the style gives no ramp.
class ORVANE_EXPORT CellHeatMapRenderer {
public:
    static constexpr uint32_t DEFAULT_COLOR = 0xdcdcdc;
    /// TQ_COLOR_NONE-like answer: no colour chosen.
    static constexpr uint32_t NO_COLOR = 0xffffffffu;

    static uint32_t getFillColor(const CellGraph& graph);
};

} // namespace orvane
