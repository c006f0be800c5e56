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

    std::vector<std::shared_ptr<LayoutProxy>> kids;
    for (auto& c : LayoutUtilities::childrenOf(*proxy))
        if (!c->isDisabled.get()) kids.push_back(std::move(c));
    const size_t n = kids.size();
    if (n > 0) {
        std::vector<float> primary(n, 0.0f);
        std::vector<bool> fixed(n, false);
        float fixedTotal = 0.0f;
        size_t flexible = 0;
        for (size_t i = 0; i < n; ++i) {
            float s = computeProxySize(kids[i], context, b);
            if (s > 0.0f) {
                fixed[i] = true;
                primary[i] = s;
                fixedTotal += s;
            } else {
                ++flexible;
            }
        }
        if (flexible > 0) {
            float share = ((vertical ? innerHeight : b.width) - fixedTotal) / static_cast<float>(flexible);
            for (size_t i = 0; i < n; ++i)
                if (!fixed[i]) primary[i] = share;
        }
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
