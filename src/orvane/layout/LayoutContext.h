// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class ORVANE_EXPORT LayoutContext : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10047;
    LayoutContext();
    ~LayoutContext() override;
    static std::shared_ptr<LayoutContext> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<float> defaultMinimumHeight;
    Property<int> designWidth;
    Property<float> containerInset;
    Property<float> tileGap;
    Property<bool> invertXSpace;
    Property<bool> invertYSpace;
    Property<bool> positionTiledContentRelativeToRoot;
    Property<bool> enableTileReflow;
    Property<bool> enableTileMinimums;
    Property<bool> disableRecursion;
    Property<bool> ignoreContainerPadding;
    Property<bool> handleScrollBarSpace;
    Property<float> scrollBarSize;
    Property<bool> reserveSpaceForMinimum;
};

} // namespace orvane
