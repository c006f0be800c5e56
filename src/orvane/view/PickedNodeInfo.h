// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/properties/Property.h"

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
    static std::shared_ptr<PickedNodeInfo> create(unsigned int nodeID, unsigned int detailIndex);

    Property<unsigned int> nodeID;
    Property<unsigned int> detailIndex;
};

} // namespace orvane
