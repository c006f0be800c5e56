// SPDX-License-Identifier: Apache-2.0
#include "orvane/datagrid/CompactFormatOptions.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

CompactFormatOptions::CompactFormatOptions()
    : scaleType(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      scale(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      precisionType(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      precision(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)) {
}

CompactFormatOptions::~CompactFormatOptions() = default;

std::shared_ptr<CompactFormatOptions> CompactFormatOptions::create() {
    auto m = std::make_shared<CompactFormatOptions>();
    m->initialize();
    return m;
}

} // namespace orvane
