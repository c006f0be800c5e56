// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqSelectionInfoStruct.h"
#include "orvane/displaylist/TqTransform.h"

#include <cstdint>
#include <vector>

namespace displaylist {

/// One region of a display-list node that a screen reader can name: the
/// node it belongs to, the part of the node (a grid cell's 64-bit pick id, the
/// same detail index a pick reports) and the region's outline in the node's
/// coordinates (origin lower left, y up), after the node's scroll translation.
struct ORVANE_DISPLAYLIST_EXPORT TqImageMapEntryStruct {
    unsigned int nodeId = 0;
    uint64_t detailIndex = TqSelectionInfoStruct::NO_DETAIL;
    std::vector<Point> points;
    /// Whether the region shows inside the node's viewport (false for the
    /// regions just outside it that an image map may carry for navigation).
    bool onScreen = true;
};

} // namespace displaylist
