// SPDX-License-Identifier: Apache-2.0
#include "orvane/view/PickedNodeInfo.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

PickedNodeInfo::PickedNodeInfo()
    : nodeID(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      detailIndex(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)) {
}

PickedNodeInfo::~PickedNodeInfo() = default;

std::shared_ptr<PickedNodeInfo> PickedNodeInfo::create() {
    auto m = std::make_shared<PickedNodeInfo>();
    m->initialize();
    return m;
}

std::shared_ptr<PickedNodeInfo> PickedNodeInfo::create(unsigned int id, uint64_t detail) {
    auto info = create();
    info->nodeID.set(id);
    info->detailIndex.set(detail);
    return info;
}

} // namespace orvane
