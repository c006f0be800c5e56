// SPDX-License-Identifier: Apache-2.0
#include "orvane/layout/LayoutContext.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

LayoutContext::LayoutContext()
    : defaultMinimumHeight(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      designWidth(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      containerInset(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      tileGap(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)),
      invertXSpace(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 4)),
      invertYSpace(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 5)),
      positionTiledContentRelativeToRoot(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 6)),
      enableTileReflow(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 7)),
      enableTileMinimums(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 8)),
      disableRecursion(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 9)),
      ignoreContainerPadding(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 10)),
      handleScrollBarSpace(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 11)),
      scrollBarSize(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 12)),
      reserveSpaceForMinimum(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 13)) {
    defaultMinimumHeight.setDefault(40.0f);
    designWidth.setDefault(1024);
    containerInset.setDefault(4.0f);
    tileGap.setDefault(8.0f);
    reserveSpaceForMinimum.setDefault(true);
}

LayoutContext::~LayoutContext() = default;

std::shared_ptr<LayoutContext> LayoutContext::create() {
    auto m = std::make_shared<LayoutContext>();
    m->initialize();
    return m;
}

} // namespace orvane
