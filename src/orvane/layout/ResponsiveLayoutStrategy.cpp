// SPDX-License-Identifier: Apache-2.0
#include "orvane/layout/ResponsiveLayoutStrategy.h"

#include "orvane/layout/LayoutConstraint.h"
#include "orvane/layout/LayoutContext.h"
#include "orvane/layout/LayoutProxy.h"
#include "orvane/layout/LayoutUtilities.h"
#include "orvane/layout/ResponsiveLayoutHelper.h"
#include "orvane/package/BaseUIModelDatabase.h"

#include <algorithm>

namespace orvane {

ResponsiveLayoutStrategy::ResponsiveLayoutStrategy()
    : orientation(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      backupOrientation(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      overflow(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      backupOverflow(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)),
      minSize(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 4)),
      maxSize(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 5)),
      preferredSize(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 6)) {
}

ResponsiveLayoutStrategy::~ResponsiveLayoutStrategy() = default;

std::shared_ptr<ResponsiveLayoutStrategy> ResponsiveLayoutStrategy::create() {
    auto m = std::make_shared<ResponsiveLayoutStrategy>();
    m->initialize();
    return m;
}

ResponsiveLayoutStrategy::UnconstrainedAxes ResponsiveLayoutStrategy::resolveChildMakesContainerUnconstrained(
    const std::shared_ptr<LayoutProxy>& proxy) {
    UnconstrainedAxes axes;
    if (!proxy) return axes;
    auto c = proxy->getConstraint();
    if (!c) return axes;
    if (!c->singleChildMakesContainerHeightUnconstrained.get() && !c->singleChildMakesContainerWidthUnconstrained.get())
        return axes;
    if (ResponsiveLayoutHelper::getFilteredChildren(proxy).size() != 1) return axes;
    axes.height = c->singleChildMakesContainerHeightUnconstrained.get();
    axes.width = c->singleChildMakesContainerWidthUnconstrained.get();
    return axes;
}

void ResponsiveLayoutStrategy::positionDisabledChildrenRelativeToRoot(const std::shared_ptr<LayoutProxy>& proxy) {
    if (!proxy) return;
    const Rect b = LayoutUtilities::finiteRect(proxy->getBoundsInPixels(), "a layout container");
    for (const auto& child : LayoutUtilities::childrenOf(*proxy))
        if (child->isDisabled.get()) child->setBoundsInPixels(Rect(b.x, b.y, 0.0f, 0.0f));
}

void ResponsiveLayoutStrategy::layout(const std::shared_ptr<LayoutProxy>& proxy,
                                      const std::shared_ptr<LayoutContext>& context) {
    using Helper = ResponsiveLayoutHelper;
    if (!proxy || !context || !LayoutUtilities::hasChildren(*proxy)) return;
    std::vector<std::shared_ptr<LayoutConstraint>> constraints;
    auto filtered = Helper::getFilteredChildren(proxy, constraints);
    if (filtered.empty()) {
        LayoutStrategy::layout(proxy, context);
        return;
    }
    const Rect bounds = LayoutUtilities::finiteRect(proxy->getBoundsInPixels(), "a layout container");
    auto constraint = proxy->getConstraint();
    const auto kind = overflow.get();
    auto info = ResponsiveLayoutStrategyInfo::create(context, proxy, constraint, filtered, constraints, kind, bounds,
                                                     orientation.get() == LayoutOrientation::VERTICAL);
    constraints.clear();
    if (Helper::handleNonResponsiveCases(*info)) {
        LayoutStrategy::layout(proxy, context);
        return;
    }
    if (!(info->containerPrimarySize > 0.0f) || !(info->containerSecondarySize > 0.0f)) return;

    // Percentage context and the extra sizes accumulated down to it.
    std::shared_ptr<LayoutProxy> percentContext = proxy;
    if (kind == ResponsiveLayoutOverflowType::GROW && constraint)
        if (auto p = constraint->growPercentageContext.get().lock()) percentContext = p;
    float extraHeight, extraWidth;
    if (percentContext == proxy) {
        extraHeight = Helper::calculateAdditionalSpaceNeeded(*proxy, true);
        extraWidth = Helper::calculateAdditionalSpaceNeeded(*proxy, false);
    } else {
        extraHeight = LayoutUtilities::nonNegative(proxy->cumulativeExtraHeight.get(), "cumulativeExtraHeight");
        extraWidth = LayoutUtilities::nonNegative(proxy->cumulativeExtraWidth.get(), "cumulativeExtraWidth");
    }

    const auto axes = resolveChildMakesContainerUnconstrained(proxy);
    info->primaryUnconstrained = info->isVertical ? axes.height : axes.width;
    info->secondaryUnconstrained = info->isVertical ? axes.width : axes.height;

    if (context->ignoreContainerPadding.get() && constraint) {
        float band = LayoutUtilities::nonNegative(LayoutUtilities::pixels(constraint->padding.get(), -1.0f, "padding"), "padding") +
                     LayoutUtilities::nonNegative(constraint->borderThickness.get(), "borderThickness");
        extraHeight -= band;
        extraWidth -= band;
    }

    // Bookkeeping of every child, also of those left out of placement.
    std::weak_ptr<LayoutProxy> weakContext = percentContext;
    size_t next = 0;  // the next filtered child: its constraint is in the record
    for (const auto& child : LayoutUtilities::childrenOf(*proxy)) {
        std::shared_ptr<LayoutConstraint> c;
        if (next < info->children.size() && info->children[next].proxy == child)
            c = info->children[next++].constraint;
        else
            c = child->getConstraint();
        if (c) {
            // Same owner and still alive: the property already holds it.
            const auto* held = static_cast<const std::weak_ptr<void>*>(c->growPercentageContext.getObjectHandle());
            if (held->owner_before(percentContext) || percentContext.owner_before(*held) || held->expired() ||
                !c->growPercentageContext.hasValue())
                c->growPercentageContext.set(weakContext);
        }
        child->cumulativeExtraHeight.set(Helper::calculateAdditionalSpaceNeeded(c.get(), true) + extraHeight);
        child->cumulativeExtraWidth.set(Helper::calculateAdditionalSpaceNeeded(c.get(), false) + extraWidth);
    }
    if (percentContext != proxy) {
        const Rect pc = LayoutUtilities::finiteRect(percentContext->getBoundsInPixels(), "a percentage context");
        info->percentReferenceWidth = std::max(0.0f, pc.width - extraWidth);
        info->percentReferenceHeight = std::max(0.0f, pc.height - extraHeight);
    }

    Helper::runSteps(*info);

    if (context->positionTiledContentRelativeToRoot.get()) positionDisabledChildrenRelativeToRoot(proxy);

    auto savedW = proxy->w.get();
    auto savedH = proxy->h.get();
    const bool biggerPrimary = Helper::childrenSizeBiggerPrimary(*info);
    const bool biggerSecondary = Helper::childrenSizeBiggerSecondary(*info);
    Helper::handleScrollBarSpace(*info, proxy, *this, biggerPrimary, biggerSecondary);

    LayoutStrategy::layout(proxy, context);
    proxy->w.set(savedW);
    proxy->h.set(savedH);
}

} // namespace orvane
