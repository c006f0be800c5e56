// SPDX-License-Identifier: Apache-2.0
#include "orvane/crosstab/CrosstabLevelInfo.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

CrosstabLevelInfo::CrosstabLevelInfo()
    : sortDirection(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      styleClassName(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      width(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)) {
    width.setDefault(-1);
}

CrosstabLevelInfo::~CrosstabLevelInfo() = default;

std::shared_ptr<CrosstabLevelInfo> CrosstabLevelInfo::create() {
    auto m = std::make_shared<CrosstabLevelInfo>();
    m->initialize();
    return m;
}

} // namespace orvane
