// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/GeometryUtilities.h"
#include "orvane/layout/LayoutStrategy.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {

/// Free placement: each child is placed from its own constraint, relative to
/// the container's area, then the base recursion runs.
///
/// Rules (computeProxyBounds):
/// - x and y are the constraint's horizontalOffset and verticalOffset in
///   pixels (relative units against the container's width and height), 0 when
///   unset; negative or non-finite offsets count as 0 (logged).
/// - The width and height are the constraint's width and height (relative
///   units against the container's width and height). A missing size is asked
///   from the content when the other one is known (a HEIGHT_REQUEST for the
///   width less the child's additional width, plus its additional height; a
///   WIDTH_REQUEST likewise); without an answer it is the rest of the container
///   from the offset on (never below 0).
/// - Each size is then clamped to the constraint's minimum and maximum.
/// - A child without a constraint fills the container.
/// Children are placed, and reported by childrenInStackingOrder, bottom first:
/// by ascending zIndex, in child order among equal zIndex. Disabled children
/// are left out. layout() first asks the content for all missing sizes at once
/// with one GroupPreferredSizeRequestEvent per axis on the container; children
/// it leaves unanswered are asked one by one.
class ORVANE_EXPORT RelativeLayoutStrategy : public LayoutStrategy {
public:
    static constexpr int WRAPPER_TYPE_ID = 10065;
    RelativeLayoutStrategy();
    ~RelativeLayoutStrategy() override;
    static std::shared_ptr<RelativeLayoutStrategy> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    int getStrategyType() const override { return 2; }
    void layout(const std::shared_ptr<LayoutProxy>& proxy, const std::shared_ptr<LayoutContext>& context) override;

    /// Bounds of the child `proxy` in a container of `bounds` (only the size
    /// of `bounds` is used: children are placed relative to the container).
    Rect computeProxyBounds(const std::shared_ptr<LayoutProxy>& proxy, const std::shared_ptr<LayoutContext>& context,
                            const Rect& bounds) const;

    /// The enabled children of `container` bottom first (ascending zIndex,
    /// stable): the order in which a host draws them.
    static std::vector<std::shared_ptr<LayoutProxy>> childrenInStackingOrder(const LayoutProxy& container);

private:
    Rect computeBounds(LayoutProxy& child, const Rect& bounds, float answeredWidth, float answeredHeight) const;
};

} // namespace orvane
