// SPDX-License-Identifier: Apache-2.0
#include "orvane/layout/LayoutConstraint.h"

#include "orvane/package/BaseUIModelDatabase.h"
#include "orvane/layout/LayoutProxy.h"

#include <limits>

namespace orvane {

LayoutConstraint::LayoutConstraint()
    : horizontalOffset(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      verticalOffset(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      width(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      backupWidth(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)),
      height(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 4)),
      zIndex(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 5)),
      lockUserHeight(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 6)),
      lockUserWidth(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 7)),
      minimumHeight(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 8)),
      minimumWidth(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 9)),
      maximumHeight(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 10)),
      maximumWidth(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 11)),
      tiledReflowMinimumHeight(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 12)),
      responsiveWeights(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 13)),
      backupResponsiveWeights(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 14)),
      growVertical(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 15)),
      growHorizontal(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 16)),
      widthFlexibility(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 17)),
      heightFlexibility(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 18)),
      backupHeightFlexibility(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 19)),
      widthPreferredSizeBehavior(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 20)),
      heightPreferredSizeBehavior(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 21)),
      considerChildrenForSizeCalculations(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 22)),
      padding(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 23)),
      headerHeight(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 24)),
      footerHeight(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 25)),
      leftSpace(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 26)),
      rightSpace(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 27)),
      additionalContentHeight(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 28)),
      additionalContentWidth(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 29)),
      borderThickness(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 30)),
      usePreferredSizeAsMaximum(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 31)),
      growPercentageContext(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 32)),
      singleChildMakesContainerHeightUnconstrained(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 33)),
      singleChildMakesContainerWidthUnconstrained(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 34)),
      useGroupDispatch(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 35)) {
    maximumHeight.setDefault(std::numeric_limits<float>::quiet_NaN());
    maximumWidth.setDefault(std::numeric_limits<float>::quiet_NaN());
    widthPreferredSizeBehavior.setDefault(PreferredSizeBehaviorType::HONOR);
    heightPreferredSizeBehavior.setDefault(PreferredSizeBehaviorType::HONOR);
    considerChildrenForSizeCalculations.setDefault(true);
}

LayoutConstraint::~LayoutConstraint() = default;

std::shared_ptr<LayoutConstraint> LayoutConstraint::create() {
    auto m = std::make_shared<LayoutConstraint>();
    m->initialize();
    return m;
}

} // namespace orvane
