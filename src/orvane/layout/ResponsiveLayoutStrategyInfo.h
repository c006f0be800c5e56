// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/style/Dimension.h"
#include "orvane/host/core/GeometryUtilities.h"
#include "orvane/package/ResponsiveLayoutOverflowType.h"

#include <memory>
#include <vector>

namespace orvane {

class LayoutConstraint;
class LayoutContext;
class LayoutProxy;

/// Working record of one responsive layout pass over one container: created at
/// the start of ResponsiveLayoutStrategy::layout, filled and read by the
/// static operations of ResponsiveLayoutHelper, dropped at the end of the pass.
///
/// "Primary" is the axis along which the children of a line follow each other
/// (x for HORIZONTAL, y for VERTICAL); "secondary" is the axis along which the
/// lines follow each other. Positions in the record are relative to the
/// container's content area, whose origin in the container is contentOrigin.
class ORVANE_EXPORT ResponsiveLayoutStrategyInfo {
public:
    /// Per filtered child.
    struct Child {
        std::shared_ptr<LayoutProxy> proxy;
        std::shared_ptr<LayoutConstraint> constraint;
        bool hasChildren = false;              ///< the child is itself a container
        bool followsChildren = false;          ///< its size follows its children (isConstrainedBasedOnChildren)
        bool growX = false, growY = false;     ///< flexibility by axis, read once per pass
        bool shrinkX = false, shrinkY = false;
        float minimumCache[2] = {-1.0f, -1.0f};  ///< minimum width / height of a container child (-1: not yet)
        float effectiveMinimumPrimarySize = 0.0f;
        float preferredPrimarySize = 0.0f;     ///< 0: none (the child is unconstrained in its line)
        float maximumPrimarySize = 0.0f;       ///< 0: none
        std::shared_ptr<Dimension> preferredSize;  ///< the constraint Dimension the preferred primary size came from
        float primarySize = 0.0f;
        float primaryPosition = 0.0f;
        float minimumSecondarySize = 0.0f;
        float preferredSecondarySize = 0.0f;   ///< 0: none
        float maximumSecondarySize = 0.0f;     ///< 0: none
        bool explicitSecondarySize = false;    ///< the preferred secondary size came from the constraint
        float secondarySize = 0.0f;
        float secondaryPosition = 0.0f;
        bool growable = false;                 ///< along the primary axis
        bool shrinkable = false;               ///< along the primary axis
        bool constrained = false;              ///< has a preferred primary size
        int line = 0;
    };
    /// Per line.
    struct Line {
        size_t first = 0;                      ///< index of its first child
        int count = 0;                         ///< number of children
        float primarySum = 0.0f;               ///< sum of its constrained children's preferred sizes
        float minimumSecondarySize = 0.0f;
        float preferredSecondarySize = 0.0f;
        float maximumSecondarySize = 0.0f;     ///< 0: none
        float size = 0.0f;                     ///< computed secondary size of the line
        float position = 0.0f;                 ///< secondary position of the line
    };

    static std::shared_ptr<ResponsiveLayoutStrategyInfo> create(
        const std::shared_ptr<LayoutContext>& context, const std::shared_ptr<LayoutProxy>& proxy,
        const std::shared_ptr<LayoutConstraint>& constraint, const std::vector<std::shared_ptr<LayoutProxy>>& children,
        ResponsiveLayoutOverflowType::type overflow, const Rect& bounds, bool isVertical);
    /// The same with the children's constraints already read (one per child).
    static std::shared_ptr<ResponsiveLayoutStrategyInfo> create(
        const std::shared_ptr<LayoutContext>& context, const std::shared_ptr<LayoutProxy>& proxy,
        const std::shared_ptr<LayoutConstraint>& constraint, const std::vector<std::shared_ptr<LayoutProxy>>& children,
        const std::vector<std::shared_ptr<LayoutConstraint>>& constraints, ResponsiveLayoutOverflowType::type overflow,
        const Rect& bounds, bool isVertical);

    std::shared_ptr<LayoutContext> context;
    std::shared_ptr<LayoutProxy> proxy;
    std::shared_ptr<LayoutConstraint> constraint;
    bool isVertical = false;
    ResponsiveLayoutOverflowType::type overflow = ResponsiveLayoutOverflowType::SCROLL;
    Rect bounds;

    /// From the bounds (swapped when vertical).
    float containerPrimarySize = 0.0f;
    float containerSecondarySize = 0.0f;
    /// The content area: the bounds less the container's header, footer, left
    /// and right spaces and its padding and border (unless the context ignores
    /// container padding), less scroll-bar space once it is reserved.
    float availablePrimarySize = 0.0f;
    float availableSecondarySize = 0.0f;
    Point contentOrigin;
    bool scrollBarOnPrimary = false;    ///< a scroll bar takes primary space (lines overflow the secondary axis)
    bool scrollBarOnSecondary = false;  ///< a scroll bar takes secondary space (a line overflows the primary axis)

    /// References of relative (percent) sizes along x and y.
    float percentReferenceWidth = 0.0f;
    float percentReferenceHeight = 0.0f;

    /// A single child that makes the container unconstrained along an axis
    /// keeps its own size there (resolveChildMakesContainerUnconstrained).
    bool primaryUnconstrained = false;
    bool secondaryUnconstrained = false;

    std::vector<Child> children;

    std::vector<float> weights;
    float weightSum = 0.0f;
    bool useWeights = false;

    std::vector<Line> lines;
    /// Whole-pixel shares of the available primary size by weight, per child
    /// (filled on first use after the line breaking).
    std::vector<float> weightedShares;

    bool grows(const Child& c, bool vertical) const { return vertical ? c.growY : c.growX; }
    bool shrinks(const Child& c, bool vertical) const { return vertical ? c.shrinkY : c.shrinkX; }

    float primaryOf(const Rect& r) const { return isVertical ? r.height : r.width; }
    float secondaryOf(const Rect& r) const { return isVertical ? r.width : r.height; }
};

} // namespace orvane
