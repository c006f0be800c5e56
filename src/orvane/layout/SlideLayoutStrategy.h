// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/GeometryUtilities.h"
#include "orvane/layout/LayoutStrategy.h"
#include "orvane/package/LayoutOrientation.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

/// Pages of slides in one row (HORIZONTAL) or column (VERTICAL), keeping the
/// context's containerInset on every side. Children with a wanted size
/// (computeProxySize > 0) keep it, the others share what is left equally; then
/// every child's primary size is reduced by 2I/n + (n-1)g/n so that the
/// children, both insets and the n-1 gaps (tileGap) fill the primary size
/// exactly. Positions start at the inset (below the container's header).
/// Disabled children are left out; sizes are not clamped at 0.
class ORVANE_EXPORT SlideLayoutStrategy : public LayoutStrategy {
public:
    static constexpr int WRAPPER_TYPE_ID = 10079;
    SlideLayoutStrategy();
    ~SlideLayoutStrategy() override;
    static std::shared_ptr<SlideLayoutStrategy> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<LayoutOrientation::type> orientation;

    int getStrategyType() const override { return 3; }
    void layout(const std::shared_ptr<LayoutProxy>& proxy, const std::shared_ptr<LayoutContext>& context) override;

    /// Wanted primary size of a child in a container of `bounds`; 0 means none.
    /// VERTICAL: the constraint's height in pixels (relative units against the
    /// container's height); a height set with value 0 gives the context's
    /// defaultMinimumHeight. HORIZONTAL: the constraint's width (against the
    /// container's width).
    float computeProxySize(const std::shared_ptr<LayoutProxy>& child, const std::shared_ptr<LayoutContext>& context,
                           const Rect& bounds) const;
};

} // namespace orvane
