// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/GeometryUtilities.h"
#include "orvane/layout/LayoutStrategy.h"
#include "orvane/package/LayoutOrientation.h"
#include "orvane/properties/Property.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

/// Tiles in one row (HORIZONTAL) or column (VERTICAL) filling the container
/// edge to edge: children with a wanted size keep it, the others share what is
/// left equally, and with n > 1 tiles every primary size is reduced by
/// (n-1)g/n for the gaps (the context's tileGap). When some tile is below its
/// minimum (defaultMinimumHeight for VERTICAL tiles, raised to the constraint's
/// minimum when enableTileMinimums is set) the sizes are made whole pixels and
/// the tiles above their minimum give one pixel at a time, in order, until the
/// deficit is gone. Tiles start at (0, header), or at the container's own
/// position when positionTiledContentRelativeToRoot is set. Disabled children
/// are left out; sizes are not clamped at 0.
class ORVANE_EXPORT TiledLayoutStrategy : public LayoutStrategy {
public:
    static constexpr int WRAPPER_TYPE_ID = 10088;
    TiledLayoutStrategy();
    ~TiledLayoutStrategy() override;
    static std::shared_ptr<TiledLayoutStrategy> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<LayoutOrientation::type> orientation;

    int getStrategyType() const override { return 1; }
    void layout(const std::shared_ptr<LayoutProxy>& proxy, const std::shared_ptr<LayoutContext>& context) override;

    /// Wanted primary size of a tile; 0 means none: the constraint's height
    /// (VERTICAL, against the container's height) or width (HORIZONTAL, against
    /// its width).
    float computeProxySize(const std::shared_ptr<LayoutProxy>& child, const std::shared_ptr<LayoutContext>& context,
                           const Rect& bounds) const;

    /// The pixel rounds of the minimum rule: `sizes` (whole pixels) are brought
    /// up to `minimums` by taking one pixel at a time, in order, from the tiles
    /// above their minimum until `deficit` pixels were taken or no tile can
    /// give. Whole rounds are applied in one step when no tile reaches its
    /// minimum and the deficit does not run out during them, which gives the
    /// same result as the pixel-by-pixel walk in time independent of the sizes.
    static void takePixels(std::vector<int64_t>& sizes, const std::vector<int64_t>& minimums, int64_t deficit);
};

} // namespace orvane
