// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include <cstdint>

namespace displaylist {

/// One pick: the display-list node id that was hit and a detail index inside
/// that node (for rich text the action number of the text object hit, for a
/// data grid the cell's 64-bit pick id, see TqDataGrid::GetPickID).
struct ORVANE_DISPLAYLIST_EXPORT TqSelectionInfoStruct {
    /// A detail index that names nothing.
    static constexpr uint64_t NO_DETAIL = ~uint64_t(0);

    unsigned int nodeId = 0;
    uint64_t detailIndex = 0;

    bool operator==(const TqSelectionInfoStruct& o) const {
        return nodeId == o.nodeId && detailIndex == o.detailIndex;
    }
};

} // namespace displaylist
