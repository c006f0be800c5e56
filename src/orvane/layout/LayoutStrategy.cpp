// SPDX-License-Identifier: Apache-2.0
#include "orvane/layout/LayoutStrategy.h"

#include "orvane/layout/LayoutContext.h"
#include "orvane/layout/LayoutPass.h"
#include "orvane/layout/LayoutProxy.h"
#include "orvane/layout/TiledReflowLayoutStrategy.h"
#include "orvane/package/BaseUIModelDatabase.h"
#include "orvane/package/LayoutStrategyType.h"

namespace orvane {

LayoutStrategy::LayoutStrategy() {
}

LayoutStrategy::~LayoutStrategy() = default;

std::shared_ptr<LayoutStrategy> LayoutStrategy::create() {
    auto m = std::make_shared<LayoutStrategy>();
    m->initialize();
    return m;
}

bool LayoutStrategy::reflowApplies(const LayoutProxy& proxy, const LayoutStrategy& strategy, const LayoutContext& context) {
    return strategy.getStrategyType() == LayoutStrategyType::LS_TILED && context.enableTileReflow.get() &&
           proxy.getBoundsInPixels().width < static_cast<float>(context.designWidth.get());
}

void LayoutStrategy::layoutContainer(const std::shared_ptr<LayoutProxy>& proxy,
                                     const std::shared_ptr<LayoutContext>& context) {
    if (!proxy || !context) return;
    auto strategy = proxy->getStrategy();
    if (!strategy) return;
    LayoutPass::Scope scope;
    if (!scope.ok()) return;
    if (reflowApplies(*proxy, *strategy, *context)) {
        static const auto reflow = TiledReflowLayoutStrategy::create();
        reflow->layout(proxy, context);
    } else {
        strategy->layout(proxy, context);
    }
}

void LayoutStrategy::layout(const std::shared_ptr<LayoutProxy>& proxy, const std::shared_ptr<LayoutContext>& context) {
    if (!proxy || !context) return;
    auto kids = proxy->children.get();
    if (!kids || kids->empty()) return;
    const bool recurse = !context->disableRecursion.get();
    const bool incremental = LayoutPass::isIncremental();
    // By index over the held vector: a listener may change it meanwhile.
    for (size_t i = 0; i < kids->size(); ++i) {
        std::shared_ptr<LayoutProxy> child = (*kids)[i];
        if (!child) continue;
        // Same control block means same parent: no reference counting needed.
        if (child->layoutParent_.owner_before(proxy) || proxy.owner_before(child->layoutParent_) ||
            child->layoutParent_.expired())
            child->layoutParent_ = proxy;
        Rect bounds = child->getBoundsInPixels();
        bool descend = recurse;
        if (descend && incremental)
            descend = LayoutPass::isOnPath(child.get()) || !child->hasLaidOutBounds_ || !(bounds == child->laidOutBounds_);
        child->laidOutBounds_ = bounds;
        child->hasLaidOutBounds_ = true;
        if (!descend || !child->children.get()) continue;
        layoutContainer(child, context);
    }
}

} // namespace orvane
