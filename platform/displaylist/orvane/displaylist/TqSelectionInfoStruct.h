#pragma once

namespace displaylist {

// One pick: the display-list node id that was hit and a detail index inside
// that node (for rich text the action number of the text object hit).
struct TqSelectionInfoStruct {
    unsigned int nodeId = 0;
    unsigned int detailIndex = 0;

    bool operator==(const TqSelectionInfoStruct& o) const {
        return nodeId == o.nodeId && detailIndex == o.detailIndex;
    }
};

} // namespace displaylist
