#include "orvane/layout/TiledReflowLayoutStrategy.h"

#include "orvane/layout/LayoutConstraint.h"
#include "orvane/layout/LayoutContext.h"
#include "orvane/layout/LayoutProxy.h"
#include "orvane/layout/LayoutUtilities.h"
#include "orvane/layout/TiledLayoutStrategy.h"
#include "orvane/package/BaseUIModelDatabase.h"

#include <algorithm>
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

void TiledReflowLayoutStrategy::layout(const std::shared_ptr<LayoutProxy>& proxy,
                                       const std::shared_ptr<LayoutContext>& context) {
    if (!proxy || !context || !LayoutUtilities::hasChildren(*proxy)) return;
    int count = 0;
    if (auto tiled = std::dynamic_pointer_cast<TiledLayoutStrategy>(proxy->getStrategy()))
        if (tiled->orientation.get() == LayoutOrientation::VERTICAL) count = 1;
    flowLayout(proxy, context, count, LayoutUtilities::finiteRect(proxy->getBoundsInPixels(), "a layout container"));
    LayoutStrategy::layout(proxy, context);
}

void TiledReflowLayoutStrategy::flowLayout(const std::shared_ptr<LayoutProxy>& proxy,
                                           const std::shared_ptr<LayoutContext>& context, int count,
                                           const Rect& bounds) {
    if (!proxy || !context) return;
    const Rect b = LayoutUtilities::finiteRect(bounds, "a layout container");
    const auto tiles = LayoutUtilities::enabledChildrenOf(*proxy);
    const size_t n = tiles.size();
    if (n == 0) return;

    auto constraint = proxy->getConstraint();
    const float header = LayoutUtilities::headerHeight(constraint.get());
    const float gap = LayoutUtilities::nonNegative(context->tileGap.get(), "tileGap");
    const float width = std::max(0.0f, b.width);
    const float innerHeight = b.height - header;
    const float design = static_cast<float>(std::max(0, context->designWidth.get()));
    const float defaultHeight = LayoutUtilities::nonNegative(context->defaultMinimumHeight.get(), "defaultMinimumHeight");
    const float designShare = std::max(0.0f, (design - static_cast<float>(n - 1) * gap) / static_cast<float>(n));

    std::vector<float> minWidth(n), minHeight(n);
    for (size_t i = 0; i < n; ++i) {
        auto c = tiles[i]->getConstraint();
        float mw = LayoutUtilities::minimumSize(c.get(), false);
        if (!(mw > 0.0f)) {
            float wanted = c ? LayoutUtilities::size(c->width.get(), design, "constraint width").value_or(0.0f) : 0.0f;
            mw = wanted > 0.0f ? wanted : designShare;
        }
        minWidth[i] = std::min(mw, width);
        float mh = c ? LayoutUtilities::nonNegative(c->tiledReflowMinimumHeight.get(), "tiledReflowMinimumHeight") : 0.0f;
        minHeight[i] = mh > 0.0f ? mh : defaultHeight;
    }

    // Rows: [start, end) ranges of tiles.
    std::vector<std::pair<size_t, size_t>> rows;
    size_t start = 0;
    float sum = 0.0f;
    for (size_t i = 0; i < n; ++i) {
        size_t inRow = i - start;
        bool fits = inRow == 0 || (sum + gap + minWidth[i] <= width + 0.001f);
        bool room = count <= 0 || inRow < static_cast<size_t>(count);
        if (inRow > 0 && !(fits && room)) {
            rows.emplace_back(start, i);
            start = i;
            sum = 0.0f;
            inRow = 0;
        }
        sum += (inRow == 0 ? 0.0f : gap) + minWidth[i];
    }
    rows.emplace_back(start, n);

    const float rowCount = static_cast<float>(rows.size());
    const float rowShare = (innerHeight - (rowCount - 1.0f) * gap) / rowCount;
    const Point o = LayoutUtilities::tiledOrigin(*context, b, header);
    float rowY = 0.0f;
    for (const auto& [s, e] : rows) {
        float rowHeight = 0.0f;
        for (size_t i = s; i < e; ++i) rowHeight = std::max(rowHeight, minHeight[i]);
        rowHeight = std::max(rowHeight, rowShare);
        std::vector<float> weights(minWidth.begin() + static_cast<std::ptrdiff_t>(s),
                                   minWidth.begin() + static_cast<std::ptrdiff_t>(e));
        const float rowWidth = std::max(0.0f, width - static_cast<float>(e - s - 1) * gap);
        std::vector<float> sizes = LayoutUtilities::distributeWholePixels(rowWidth, weights);
        float x = 0.0f;
        for (size_t i = s; i < e; ++i) {
            float w = sizes[i - s];
            tiles[i]->setBoundsInPixels(Rect(o.x + x, o.y + rowY, w, rowHeight));
            x += w + gap;
        }
        rowY += rowHeight + gap;
    }
}

} // namespace orvane
