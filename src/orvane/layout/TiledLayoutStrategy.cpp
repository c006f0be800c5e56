// SPDX-License-Identifier: Apache-2.0
#include "orvane/layout/TiledLayoutStrategy.h"

#include "orvane/layout/LayoutConstraint.h"
#include "orvane/layout/LayoutContext.h"
#include "orvane/layout/LayoutProxy.h"
#include "orvane/layout/LayoutUtilities.h"
#include "orvane/package/BaseUIModelDatabase.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvane {

namespace {
// Whole pixels of a finite float, kept within a range where the arithmetic
// below cannot overflow.
int64_t whole(float v) {
    constexpr double kLimit = 1.0e15;
    double d = std::trunc(static_cast<double>(v));
    if (!(d > -kLimit)) d = -kLimit;
    if (d > kLimit) d = kLimit;
    return static_cast<int64_t>(d);
}
} // namespace

TiledLayoutStrategy::TiledLayoutStrategy()
    : orientation(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)) {
}

TiledLayoutStrategy::~TiledLayoutStrategy() = default;

std::shared_ptr<TiledLayoutStrategy> TiledLayoutStrategy::create() {
    auto m = std::make_shared<TiledLayoutStrategy>();
    m->initialize();
    return m;
}

float TiledLayoutStrategy::computeProxySize(const std::shared_ptr<LayoutProxy>& child,
                                            const std::shared_ptr<LayoutContext>& context, const Rect& bounds) const {
    if (!child || !context) return 0.0f;
    auto c = child->getConstraint();
    if (!c) return 0.0f;
    if (orientation.get() == LayoutOrientation::VERTICAL)
        return LayoutUtilities::size(c->height.get(), bounds.height, "constraint height").value_or(0.0f);
    return LayoutUtilities::size(c->width.get(), bounds.width, "constraint width").value_or(0.0f);
}

void TiledLayoutStrategy::takePixels(std::vector<int64_t>& t, const std::vector<int64_t>& m, int64_t deficit) {
    const size_t n = std::min(t.size(), m.size());
    auto round = [&]() {
        bool took = false;
        for (size_t i = 0; i < n && deficit > 0; ++i) {
            if (m[i] < t[i]) {
                if (t[i] > 0) --t[i];
                --deficit;
                took = true;
            } else {
                t[i] = m[i];
            }
        }
        return took;
    };
    if (deficit <= 0 || !round()) return;
    while (deficit > 0) {
        // Donors of the next round and how many whole rounds can be skipped:
        // every donor stays above its minimum and the deficit stays positive.
        int64_t donors = 0;
        int64_t skip = std::numeric_limits<int64_t>::max();
        for (size_t i = 0; i < n; ++i) {
            if (m[i] < t[i]) {
                ++donors;
                skip = std::min(skip, t[i] - m[i] - 1);
                if (t[i] <= 0) skip = 0;  // a donor at 0 gives nothing: walk it
            }
        }
        if (donors == 0) return;
        skip = std::min(skip, (deficit - 1) / donors);
        if (skip > 0) {
            for (size_t i = 0; i < n; ++i)
                if (m[i] < t[i]) t[i] -= skip;
            deficit -= skip * donors;
        }
        if (!round()) return;
    }
}

void TiledLayoutStrategy::layout(const std::shared_ptr<LayoutProxy>& proxy, const std::shared_ptr<LayoutContext>& context) {
    if (!proxy || !context || !LayoutUtilities::hasChildren(*proxy)) return;
    const Rect b = LayoutUtilities::finiteRect(proxy->getBoundsInPixels(), "a layout container");
    const bool vertical = orientation.get() == LayoutOrientation::VERTICAL;
    auto constraint = proxy->getConstraint();
    const float header = LayoutUtilities::headerHeight(constraint.get());
    const float gap = LayoutUtilities::nonNegative(context->tileGap.get(), "tileGap");
    const float innerHeight = b.height - header;
    const float available = vertical ? innerHeight : b.width;

    const auto kids = LayoutUtilities::enabledChildrenOf(*proxy);
    const size_t n = kids.size();
    if (n > 0) {
        std::vector<float> wanted(n);
        for (size_t i = 0; i < n; ++i) wanted[i] = computeProxySize(kids[i], context, b);
        std::vector<float> primary = LayoutUtilities::shareRemaining(wanted, available);
        if (n > 1) {
            const float fn = static_cast<float>(n);
            const float reduction = (fn - 1.0f) * gap / fn;
            for (float& p : primary) p -= reduction;
        }

        // Minimums.
        const bool useMinimums = context->enableTileMinimums.get();
        const int64_t base =
            vertical ? whole(LayoutUtilities::nonNegative(context->defaultMinimumHeight.get(), "defaultMinimumHeight")) : 0;
        std::vector<int64_t> minimums(n, base);
        std::vector<int64_t> sizes(n, 0);
        int64_t deficit = 0;
        int64_t minimumTotal = 0;
        for (size_t i = 0; i < n; ++i) {
            if (useMinimums) {
                if (auto c = kids[i]->getConstraint())
                    minimums[i] = std::max(minimums[i], whole(LayoutUtilities::minimumSize(c.get(), vertical)));
            }
            sizes[i] = whole(primary[i]);
            deficit += std::max<int64_t>(0, minimums[i] - sizes[i]);
            minimumTotal += minimums[i];
        }
        if (deficit > 0 && !(whole(available) < minimumTotal && !useMinimums)) {
            takePixels(sizes, minimums, deficit);
            for (size_t i = 0; i < n; ++i) primary[i] = static_cast<float>(sizes[i]);
        }

        // Positions.
        const Point o = LayoutUtilities::tiledOrigin(*context, b, header);
        float p = 0.0f;
        for (size_t i = 0; i < n; ++i) {
            Rect r = vertical ? Rect(o.x, o.y + p, b.width, primary[i]) : Rect(o.x + p, o.y, primary[i], innerHeight);
            kids[i]->setBoundsInPixels(r);
            p += primary[i] + gap;
        }
    }
    LayoutStrategy::layout(proxy, context);
}

} // namespace orvane
