// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/host/style/Dimension.h"
#include "orvane/package/FlexibilityType.h"
#include "orvane/package/PreferredSizeBehaviorType.h"
#include "orvane/properties/MonitoredVector.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class LayoutProxy;

class ORVANE_EXPORT LayoutConstraint : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10046;
    LayoutConstraint();
    ~LayoutConstraint() override;
    static std::shared_ptr<LayoutConstraint> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<std::shared_ptr<Dimension>, true> horizontalOffset;
    Property<std::shared_ptr<Dimension>, true> verticalOffset;
    Property<std::shared_ptr<Dimension>, true> width;
    Property<std::shared_ptr<Dimension>, true> backupWidth;
    Property<std::shared_ptr<Dimension>, true> height;
    Property<int> zIndex;
    Property<bool> lockUserHeight;
    Property<bool> lockUserWidth;
    Property<float> minimumHeight;
    Property<float> minimumWidth;
    Property<float> maximumHeight;
    Property<float> maximumWidth;
    Property<float> tiledReflowMinimumHeight;
    Property<std::shared_ptr<MonitoredVector<float>>> responsiveWeights;
    Property<std::shared_ptr<MonitoredVector<float>>> backupResponsiveWeights;
    Property<bool> growVertical;
    Property<bool> growHorizontal;
    Property<FlexibilityType::type> widthFlexibility;
    Property<FlexibilityType::type> heightFlexibility;
    Property<FlexibilityType::type> backupHeightFlexibility;
    Property<PreferredSizeBehaviorType::type> widthPreferredSizeBehavior;
    Property<PreferredSizeBehaviorType::type> heightPreferredSizeBehavior;
    Property<bool> considerChildrenForSizeCalculations;
    Property<std::shared_ptr<Dimension>, true> padding;
    Property<float> headerHeight;
    Property<float> footerHeight;
    Property<float> leftSpace;
    Property<float> rightSpace;
    Property<float> additionalContentHeight;
    Property<float> additionalContentWidth;
    Property<float> borderThickness;
    Property<bool> usePreferredSizeAsMaximum;
    Property<std::weak_ptr<LayoutProxy>, true> growPercentageContext;
    Property<bool> singleChildMakesContainerHeightUnconstrained;
    Property<bool> singleChildMakesContainerWidthUnconstrained;
    Property<bool> useGroupDispatch;
};

} // namespace orvane
