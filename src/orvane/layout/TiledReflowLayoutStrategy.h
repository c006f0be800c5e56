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

/// Tiles of a container narrower than the design width, re-flowed into as many
/// rows as needed. Created by LayoutProxy::layout (and the base recursion) for a
/// tiled container narrower than the context's designWidth when
/// enableTileReflow is set; its placement replaces the tiled one.
///
/// Rules (flowLayout):
/// - Tiles are the container's enabled children, in order.
/// - Each tile's minimum width is its constraint's minimumWidth; without one,
///   the width the tile has at the design width: its constraint width (relative
///   units against designWidth) or an equal share of designWidth less the gaps.
///   A minimum wider than the container counts as the container's width.
/// - Rows are filled in order: a tile joins the current row while the row's
///   minimums and gaps (tileGap) still fit the container's width and the row
///   holds fewer than `count` tiles (0: no limit); the first tile of a row is
///   always placed. A VERTICAL tiled container flows one tile per row.
/// - Each row fills the container's width: the width less the gaps is shared
///   in proportion to the tiles' minimum widths, in whole pixels that add up to
///   exactly that width (so every tile is at least its minimum).
/// - Rows share the container's height (less its header and the gaps between
///   rows) equally, but each row is at least as high as the tallest minimum
///   height of its tiles: tiledReflowMinimumHeight, or the context's
///   defaultMinimumHeight when that is 0. Rows that do not fit overflow below
///   (the host scrolls).
/// - Rows start at (0, header), or at the container's own position when
///   positionTiledContentRelativeToRoot is set, and are separated by tileGap.
/// Then the base recursion lays out the tiles' subtrees.
class ORVANE_EXPORT TiledReflowLayoutStrategy : public LayoutStrategy {
public:
    static constexpr int WRAPPER_TYPE_ID = 10089;
    TiledReflowLayoutStrategy();
    ~TiledReflowLayoutStrategy() override;
    static std::shared_ptr<TiledReflowLayoutStrategy> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    int getStrategyType() const override { return 5; }
    void layout(const std::shared_ptr<LayoutProxy>& proxy, const std::shared_ptr<LayoutContext>& context) override;

    /// Places the children of `proxy` within `bounds` (the container's own
    /// bounds) with at most `count` tiles per row (0: no limit).
    void flowLayout(const std::shared_ptr<LayoutProxy>& proxy, const std::shared_ptr<LayoutContext>& context, int count,
                    const Rect& bounds);

    /// One row of a flow: the tiles [first, end) of the enabled children,
    /// their whole-pixel widths, and the tallest minimum height among them.
    struct Row {
        size_t first = 0;
        size_t end = 0;
        std::vector<float> widths;
        float minimumHeight = 0.0f;
    };
    /// The rows flowLayout makes of `tiles` (the container's enabled children)
    /// in a container `width` wide, by the rules above.
    static std::vector<Row> planRows(const std::vector<std::shared_ptr<LayoutProxy>>& tiles, const LayoutContext& context,
                                     int count, float width);
    /// The tiles-per-row limit of a container's strategy: 1 for a VERTICAL
    /// tiled strategy (one tile per row), else 0 (no limit).
    static int rowLimit(const LayoutStrategy* strategy);
    /// Whether laying out `proxy` at `width` re-flows its tiles: a reflow
    /// strategy always does; a tiled one when the context enables tile reflow
    /// and the width is below its designWidth (the rule of LayoutProxy::layout).
    /// Measures of a container use it, so that they describe the rows a pass
    /// will make.
    static bool reflows(const LayoutStrategy* strategy, const LayoutContext& context, float width);
};

} // namespace orvane
