// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/layout/LayoutStrategy.h"
#include "orvane/package/LayoutOrientation.h"
#include "orvane/package/ResponsiveLayoutOverflowType.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

/// Children in flowing lines: along the primary axis (x for HORIZONTAL, y for
/// VERTICAL) children follow each other and break into a new line when their
/// minimum sizes no longer fit (or a line holds as many children as the
/// container's constraint has responsiveWeights); each line's remaining space
/// is shared by flexibility and preferred size (by weight when weights are in
/// use); the lines are then sized along the secondary axis, and an overflow is
/// scrolled, fitted, grown into or replaced by a plain stack (`overflow`).
/// The steps and their rules are those of ResponsiveLayoutHelper.
///
/// The pass writes the children's x, y, w and h, their cumulativeExtraHeight
/// and cumulativeExtraWidth, their constraints' growPercentageContext and the
/// container's childrenPerLine; it leaves the container's own w and h as it
/// found them. minSize, maxSize and preferredSize are carried as data.
class ORVANE_EXPORT ResponsiveLayoutStrategy : public LayoutStrategy {
public:
    static constexpr int WRAPPER_TYPE_ID = 10066;
    ResponsiveLayoutStrategy();
    ~ResponsiveLayoutStrategy() override;
    static std::shared_ptr<ResponsiveLayoutStrategy> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<LayoutOrientation::type> orientation;
    Property<LayoutOrientation::type> backupOrientation;
    Property<ResponsiveLayoutOverflowType::type> overflow;
    Property<ResponsiveLayoutOverflowType::type> backupOverflow;
    Property<float> minSize;
    Property<float> maxSize;
    Property<float> preferredSize;

    int getStrategyType() const override { return 0; }
    void layout(const std::shared_ptr<LayoutProxy>& proxy, const std::shared_ptr<LayoutContext>& context) override;

    /// Puts the disabled children, which take no room, at the container's own
    /// position with an empty size (the coordinates tiled content uses when
    /// positionTiledContentRelativeToRoot is set).
    static void positionDisabledChildrenRelativeToRoot(const std::shared_ptr<LayoutProxy>& proxy);

    /// The axes along which a container holding a single (filtered) child is
    /// unconstrained: its constraint's singleChildMakesContainerHeightUnconstrained
    /// and ...WidthUnconstrained, when it has exactly one. Along such an axis
    /// the child keeps its own (preferred, else minimum) size instead of
    /// filling, sharing or fitting the container's size.
    struct UnconstrainedAxes {
        bool height = false;
        bool width = false;
    };
    static UnconstrainedAxes resolveChildMakesContainerUnconstrained(const std::shared_ptr<LayoutProxy>& proxy);
};

} // namespace orvane
