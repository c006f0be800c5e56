// SPDX-License-Identifier: Apache-2.0
#include "orvane/layout/StackLayoutStrategy.h"

#include "orvane/layout/LayoutConstraint.h"
#include "orvane/layout/LayoutContext.h"
#include "orvane/layout/LayoutProxy.h"
#include "orvane/layout/LayoutUtilities.h"
#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

StackLayoutStrategy::StackLayoutStrategy() {
}

StackLayoutStrategy::~StackLayoutStrategy() = default;

std::shared_ptr<StackLayoutStrategy> StackLayoutStrategy::create() {
    auto m = std::make_shared<StackLayoutStrategy>();
    m->initialize();
    return m;
}

void StackLayoutStrategy::layout(const std::shared_ptr<LayoutProxy>& proxy, const std::shared_ptr<LayoutContext>& context) {
    if (!proxy || !context || !LayoutUtilities::hasChildren(*proxy)) return;
    Rect b = LayoutUtilities::finiteRect(proxy->getBoundsInPixels(), "a layout container");
    float inset = LayoutUtilities::nonNegative(context->containerInset.get(), "containerInset");
    auto constraint = proxy->getConstraint();
    float header = LayoutUtilities::headerHeight(constraint.get());
    Rect r(inset, inset + header, b.width - 2.0f * inset, b.height - 2.0f * inset - header);
    for (const auto& child : LayoutUtilities::childrenOf(*proxy)) {
        if (child->isDisabled.get()) continue;
        child->setBoundsInPixels(r);
    }
    LayoutStrategy::layout(proxy, context);
}

} // namespace orvane
