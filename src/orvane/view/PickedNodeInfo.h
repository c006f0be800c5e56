// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/properties/Property.h"

#include <cstdint>
#include <memory>
#include <string>

namespace orvane {

class ORVANE_EXPORT PickedNodeInfo : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10055;
    PickedNodeInfo();
    ~PickedNodeInfo() override;
    static std::shared_ptr<PickedNodeInfo> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
    /// `detailIndex` is the picked part of the node: a grid cell's 64-bit pick id.
    static std::shared_ptr<PickedNodeInfo> create(unsigned int nodeID, uint64_t detailIndex);

    Property<unsigned int> nodeID;
    Property<uint64_t> detailIndex;
};

} // namespace orvane
