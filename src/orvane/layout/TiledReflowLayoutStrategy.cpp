// SPDX-License-Identifier: Apache-2.0
#include "orvane/layout/TiledReflowLayoutStrategy.h"

#include "orvane/layout/LayoutConstraint.h"
#include "orvane/layout/LayoutContext.h"
#include "orvane/layout/LayoutProxy.h"
#include "orvane/layout/LayoutUtilities.h"
#include "orvane/layout/TiledLayoutStrategy.h"
#include "orvane/package/BaseUIModelDatabase.h"
#include "orvane/package/LayoutOrientation.h"
#include "orvane/package/LayoutStrategyType.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orvane {

TiledReflowLayoutStrategy::TiledReflowLayoutStrategy() {
}

TiledReflowLayoutStrategy::~TiledReflowLayoutStrategy() = default;

std::shared_ptr<TiledReflowLayoutStrategy> TiledReflowLayoutStrategy::create() {
    auto m = std::make_shared<TiledReflowLayoutStrategy>();
    m->initialize();
    return m;
}

int TiledReflowLayoutStrategy::rowLimit(const LayoutStrategy* strategy) {
    auto* tiled = dynamic_cast<const TiledLayoutStrategy*>(strategy);
    return tiled && tiled->orientation.get() == LayoutOrientation::VERTICAL ? 1 : 0;
}

bool TiledReflowLayoutStrategy::reflows(const LayoutStrategy* strategy, const LayoutContext& context, float width) {
    if (!strategy) return false;
    const int type = strategy->getStrategyType();
    if (type == LayoutStrategyType::LS_TILED_REFLOW) return true;
    return type == LayoutStrategyType::LS_TILED && context.enableTileReflow.get() &&
           width < static_cast<float>(context.designWidth.get());
}

void TiledReflowLayoutStrategy::layout(const std::shared_ptr<LayoutProxy>& proxy,
                                       const std::shared_ptr<LayoutContext>& context) {
    if (!proxy || !context || !LayoutUtilities::hasChildren(*proxy)) return;
    const int count = rowLimit(proxy->getStrategy().get());
    flowLayout(proxy, context, count, LayoutUtilities::finiteRect(proxy->getBoundsInPixels(), "a layout container"));
    LayoutStrategy::layout(proxy, context);
}

std::vector<TiledReflowLayoutStrategy::Row> TiledReflowLayoutStrategy::planRows(
    const std::vector<std::shared_ptr<LayoutProxy>>& tiles, const LayoutContext& context, int count, float width) {
    std::vector<Row> rows;
    const size_t n = tiles.size();
    if (n == 0) return rows;
    width = std::isfinite(width) ? std::max(0.0f, width) : 0.0f;
    const float gap = LayoutUtilities::nonNegative(context.tileGap.get(), "tileGap");
    const float design = static_cast<float>(std::max(0, context.designWidth.get()));
    const float defaultHeight = LayoutUtilities::nonNegative(context.defaultMinimumHeight.get(), "defaultMinimumHeight");
    const float designShare = std::max(0.0f, (design - static_cast<float>(n - 1) * gap) / static_cast<float>(n));

    std::vector<float> minWidth(n), minHeight(n);
    for (size_t i = 0; i < n; ++i) {
        auto c = tiles[i] ? tiles[i]->getConstraint() : nullptr;
        float mw = LayoutUtilities::minimumSize(c.get(), false);
        if (!(mw > 0.0f)) {
            float wanted = c ? LayoutUtilities::size(c->width.get(), design, "constraint width").value_or(0.0f) : 0.0f;
            mw = wanted > 0.0f ? wanted : designShare;
        }
        minWidth[i] = std::min(mw, width);
        float mh = c ? LayoutUtilities::nonNegative(c->tiledReflowMinimumHeight.get(), "tiledReflowMinimumHeight") : 0.0f;
        minHeight[i] = mh > 0.0f ? mh : defaultHeight;
    }

    size_t start = 0;
    float sum = 0.0f;
    auto close = [&](size_t end) {
        Row row;
        row.first = start;
        row.end = end;
        for (size_t i = start; i < end; ++i) row.minimumHeight = std::max(row.minimumHeight, minHeight[i]);
        std::vector<float> weights(minWidth.begin() + static_cast<std::ptrdiff_t>(start),
                                   minWidth.begin() + static_cast<std::ptrdiff_t>(end));
        const float rowWidth = std::max(0.0f, width - static_cast<float>(end - start - 1) * gap);
        row.widths = LayoutUtilities::distributeWholePixels(rowWidth, weights);
        rows.push_back(std::move(row));
    };
    for (size_t i = 0; i < n; ++i) {
        size_t inRow = i - start;
        bool fits = inRow == 0 || (sum + gap + minWidth[i] <= width + 0.001f);
        bool room = count <= 0 || inRow < static_cast<size_t>(count);
        if (inRow > 0 && !(fits && room)) {
            close(i);
            start = i;
            sum = 0.0f;
            inRow = 0;
        }
        sum += (inRow == 0 ? 0.0f : gap) + minWidth[i];
    }
    close(n);
    return rows;
}

void TiledReflowLayoutStrategy::flowLayout(const std::shared_ptr<LayoutProxy>& proxy,
                                           const std::shared_ptr<LayoutContext>& context, int count,
                                           const Rect& bounds) {
    if (!proxy || !context) return;
    const Rect b = LayoutUtilities::finiteRect(bounds, "a layout container");
    const auto tiles = LayoutUtilities::enabledChildrenOf(*proxy);
    if (tiles.empty()) return;

    auto constraint = proxy->getConstraint();
    const float header = LayoutUtilities::headerHeight(constraint.get());
    const float gap = LayoutUtilities::nonNegative(context->tileGap.get(), "tileGap");
    const float innerHeight = b.height - header;
    const auto rows = planRows(tiles, *context, count, b.width);

    const float rowCount = static_cast<float>(rows.size());
    const float rowShare = (innerHeight - (rowCount - 1.0f) * gap) / rowCount;
    const Point o = LayoutUtilities::tiledOrigin(*context, b, header);
    float rowY = 0.0f;
    for (const auto& row : rows) {
        const float rowHeight = std::max(row.minimumHeight, rowShare);
        float x = 0.0f;
        for (size_t i = row.first; i < row.end; ++i) {
            float w = row.widths[i - row.first];
            tiles[i]->setBoundsInPixels(Rect(o.x + x, o.y + rowY, w, rowHeight));
            x += w + gap;
        }
        rowY += rowHeight + gap;
    }
}

} // namespace orvane
