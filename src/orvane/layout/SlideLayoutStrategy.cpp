// SPDX-License-Identifier: Apache-2.0
#include "orvane/layout/SlideLayoutStrategy.h"

#include "orvane/layout/LayoutConstraint.h"
#include "orvane/layout/LayoutContext.h"
#include "orvane/layout/LayoutProxy.h"
#include "orvane/layout/LayoutUtilities.h"
#include "orvane/package/BaseUIModelDatabase.h"

#include <vector>

namespace orvane {

SlideLayoutStrategy::SlideLayoutStrategy()
    : orientation(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)) {
}

SlideLayoutStrategy::~SlideLayoutStrategy() = default;

std::shared_ptr<SlideLayoutStrategy> SlideLayoutStrategy::create() {
    auto m = std::make_shared<SlideLayoutStrategy>();
    m->initialize();
    return m;
}

float SlideLayoutStrategy::computeProxySize(const std::shared_ptr<LayoutProxy>& child,
                                            const std::shared_ptr<LayoutContext>& context, const Rect& bounds) const {
    if (!child || !context) return 0.0f;
    auto c = child->getConstraint();
    if (!c) return 0.0f;
    if (orientation.get() == LayoutOrientation::VERTICAL) {
        auto d = c->height.get();
        if (!d) return 0.0f;
        if (d->getValue() == 0.0f)
            return LayoutUtilities::nonNegative(context->defaultMinimumHeight.get(), "defaultMinimumHeight");
        return LayoutUtilities::size(d, bounds.height, "constraint height").value_or(0.0f);
    }
    return LayoutUtilities::size(c->width.get(), bounds.width, "constraint width").value_or(0.0f);
}

void SlideLayoutStrategy::layout(const std::shared_ptr<LayoutProxy>& proxy, const std::shared_ptr<LayoutContext>& context) {
    if (!proxy || !context || !LayoutUtilities::hasChildren(*proxy)) return;
    const Rect b = LayoutUtilities::finiteRect(proxy->getBoundsInPixels(), "a layout container");
    const bool vertical = orientation.get() == LayoutOrientation::VERTICAL;
    auto constraint = proxy->getConstraint();
    const float header = LayoutUtilities::headerHeight(constraint.get());
    const float inset = LayoutUtilities::nonNegative(context->containerInset.get(), "containerInset");
    const float gap = LayoutUtilities::nonNegative(context->tileGap.get(), "tileGap");
    const float innerHeight = b.height - header;

    const auto kids = LayoutUtilities::enabledChildrenOf(*proxy);
    const size_t n = kids.size();
    if (n > 0) {
        std::vector<float> wanted(n);
        for (size_t i = 0; i < n; ++i) wanted[i] = computeProxySize(kids[i], context, b);
        const std::vector<float> primary = LayoutUtilities::shareRemaining(wanted, vertical ? innerHeight : b.width);
        const float fn = static_cast<float>(n);
        const float reduction = n == 1 ? 2.0f * inset / fn : 2.0f * inset / fn + (fn - 1.0f) * gap / fn;
        float p = inset;
        for (size_t i = 0; i < n; ++i) {
            float size = primary[i] - reduction;
            Rect r = vertical ? Rect(inset, header + p, b.width - 2.0f * inset, size)
                              : Rect(p, inset + header, size, innerHeight - 2.0f * inset);
            kids[i]->setBoundsInPixels(r);
            p += size + gap;
        }
    }
    LayoutStrategy::layout(proxy, context);
}

} // namespace orvane
