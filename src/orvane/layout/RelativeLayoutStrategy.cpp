// SPDX-License-Identifier: Apache-2.0
#include "orvane/layout/RelativeLayoutStrategy.h"

#include "orvane/layout/LayoutConstraint.h"
#include "orvane/layout/LayoutContext.h"
#include "orvane/layout/LayoutProxy.h"
#include "orvane/layout/LayoutUtilities.h"
#include "orvane/layout/ResponsiveLayoutHelper.h"
#include "orvane/package/BaseUIModelDatabase.h"
#include "orvane/view/GroupPreferredSizeRequestEvent.h"
#include "orvane/view/PreferredSizeRequestEvent.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvane {

namespace {
constexpr float kNone = std::numeric_limits<float>::quiet_NaN();

float clampSize(float v, const LayoutConstraint* c, bool vertical) {
    float mx = LayoutUtilities::maximumSize(c, vertical);
    if (LayoutUtilities::hasMaximum(mx)) v = std::min(v, mx);
    return std::max(v, LayoutUtilities::minimumSize(c, vertical));
}
} // namespace

RelativeLayoutStrategy::RelativeLayoutStrategy() {
}

RelativeLayoutStrategy::~RelativeLayoutStrategy() = default;

std::shared_ptr<RelativeLayoutStrategy> RelativeLayoutStrategy::create() {
    auto m = std::make_shared<RelativeLayoutStrategy>();
    m->initialize();
    return m;
}

std::vector<std::shared_ptr<LayoutProxy>> RelativeLayoutStrategy::childrenInStackingOrder(const LayoutProxy& container) {
    const auto kids = LayoutUtilities::enabledChildrenOf(container);
    std::vector<int> z(kids.size(), 0);
    std::vector<size_t> order(kids.size());
    for (size_t i = 0; i < kids.size(); ++i) {
        order[i] = i;
        if (auto c = kids[i]->getConstraint()) z[i] = c->zIndex.get();
    }
    std::stable_sort(order.begin(), order.end(), [&z](size_t a, size_t b) { return z[a] < z[b]; });
    std::vector<std::shared_ptr<LayoutProxy>> out;
    out.reserve(kids.size());
    for (size_t i : order) out.push_back(kids[i]);
    return out;
}

Rect RelativeLayoutStrategy::computeBounds(LayoutProxy& child, const Rect& bounds, float answeredWidth,
                                           float answeredHeight) const {
    const float W = std::max(0.0f, bounds.width);
    const float H = std::max(0.0f, bounds.height);
    auto c = child.getConstraint();
    if (!c) return Rect(0.0f, 0.0f, W, H);
    float x = LayoutUtilities::offset(c->horizontalOffset.get(), W, "horizontalOffset").value_or(0.0f);
    float y = LayoutUtilities::offset(c->verticalOffset.get(), H, "verticalOffset").value_or(0.0f);
    std::optional<float> w = LayoutUtilities::size(c->width.get(), W, "constraint width");
    std::optional<float> h = LayoutUtilities::size(c->height.get(), H, "constraint height");
    const float extraW = ResponsiveLayoutHelper::calculateAdditionalSpaceNeeded(child, false);
    const float extraH = ResponsiveLayoutHelper::calculateAdditionalSpaceNeeded(child, true);
    if (w && !h) {
        if (!std::isnan(answeredHeight))
            h = answeredHeight;
        else if (auto a = LayoutUtilities::requestSize(child, PreferredSizeRequestEvent::HEIGHT_REQUEST,
                                                       std::max(0.0f, *w - extraW)))
            h = *a + extraH;
    } else if (h && !w) {
        if (!std::isnan(answeredWidth))
            w = answeredWidth;
        else if (auto a = LayoutUtilities::requestSize(child, PreferredSizeRequestEvent::WIDTH_REQUEST,
                                                       std::max(0.0f, *h - extraH)))
            w = *a + extraW;
    }
    float width = clampSize(w ? *w : std::max(0.0f, W - x), c.get(), false);
    float height = clampSize(h ? *h : std::max(0.0f, H - y), c.get(), true);
    return Rect(x, y, width, height);
}

Rect RelativeLayoutStrategy::computeProxyBounds(const std::shared_ptr<LayoutProxy>& proxy,
                                                const std::shared_ptr<LayoutContext>& context, const Rect& bounds) const {
    if (!proxy || !context) return Rect();
    return computeBounds(*proxy, LayoutUtilities::finiteRect(bounds, "a layout container"), kNone, kNone);
}

void RelativeLayoutStrategy::layout(const std::shared_ptr<LayoutProxy>& proxy,
                                    const std::shared_ptr<LayoutContext>& context) {
    if (!proxy || !context || !LayoutUtilities::hasChildren(*proxy)) return;
    const Rect b = LayoutUtilities::finiteRect(proxy->getBoundsInPixels(), "a layout container");
    const float W = std::max(0.0f, b.width);
    const float H = std::max(0.0f, b.height);
    auto kids = childrenInStackingOrder(*proxy);

    // Group requests for the sizes the content must give.
    std::vector<float> answeredW(kids.size(), kNone), answeredH(kids.size(), kNone);
    for (int pass = 0; pass < 2; ++pass) {
        const bool heights = pass == 0;
        std::vector<std::shared_ptr<LayoutProxy>> asked;
        std::vector<float> constrained;
        std::vector<size_t> index;
        for (size_t i = 0; i < kids.size(); ++i) {
            auto c = kids[i]->getConstraint();
            if (!c) continue;
            auto known = heights ? c->width.get() : c->height.get();
            auto missing = heights ? c->height.get() : c->width.get();
            if (!known || missing) continue;
            auto s = LayoutUtilities::size(known, heights ? W : H, heights ? "constraint width" : "constraint height");
            if (!s) continue;
            asked.push_back(kids[i]);
            constrained.push_back(
                std::max(0.0f, *s - ResponsiveLayoutHelper::calculateAdditionalSpaceNeeded(*kids[i], !heights)));
            index.push_back(i);
        }
        std::vector<float> answers;
        LayoutUtilities::requestGroupSizes(*proxy,
                                           heights ? GroupPreferredSizeRequestEvent::GROUP_HEIGHT_REQUEST
                                                   : GroupPreferredSizeRequestEvent::GROUP_WIDTH_REQUEST,
                                           asked, constrained, answers);
        for (size_t k = 0; k < asked.size(); ++k) {
            if (std::isnan(answers[k])) continue;
            float extra = ResponsiveLayoutHelper::calculateAdditionalSpaceNeeded(*asked[k], heights);
            (heights ? answeredH : answeredW)[index[k]] = answers[k] + extra;
        }
    }
    for (size_t i = 0; i < kids.size(); ++i)
        kids[i]->setBoundsInPixels(computeBounds(*kids[i], b, answeredW[i], answeredH[i]));
    LayoutStrategy::layout(proxy, context);
}

} // namespace orvane
