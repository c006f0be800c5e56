// SPDX-License-Identifier: Apache-2.0
#include "orvane/layout/ResponsiveLayoutStrategyInfo.h"

#include "orvane/layout/LayoutConstraint.h"
#include "orvane/layout/LayoutContext.h"
#include "orvane/layout/LayoutProxy.h"
#include "orvane/layout/LayoutUtilities.h"
#include "orvane/layout/ResponsiveLayoutHelper.h"

#include <algorithm>
#include <cmath>

namespace orvane {

std::shared_ptr<ResponsiveLayoutStrategyInfo> ResponsiveLayoutStrategyInfo::create(
    const std::shared_ptr<LayoutContext>& context, const std::shared_ptr<LayoutProxy>& proxy,
    const std::shared_ptr<LayoutConstraint>& constraint, const std::vector<std::shared_ptr<LayoutProxy>>& children,
    ResponsiveLayoutOverflowType::type overflow, const Rect& bounds, bool isVertical) {
    return create(context, proxy, constraint, children, {}, overflow, bounds, isVertical);
}

std::shared_ptr<ResponsiveLayoutStrategyInfo> ResponsiveLayoutStrategyInfo::create(
    const std::shared_ptr<LayoutContext>& context, const std::shared_ptr<LayoutProxy>& proxy,
    const std::shared_ptr<LayoutConstraint>& constraint, const std::vector<std::shared_ptr<LayoutProxy>>& children,
    const std::vector<std::shared_ptr<LayoutConstraint>>& constraints, ResponsiveLayoutOverflowType::type overflow,
    const Rect& bounds, bool isVertical) {
    const bool given = constraints.size() == children.size();
    auto info = std::make_shared<ResponsiveLayoutStrategyInfo>();
    info->context = context;
    info->proxy = proxy;
    info->constraint = constraint;
    info->isVertical = isVertical;
    info->overflow = overflow;
    info->bounds = LayoutUtilities::finiteRect(bounds, "a layout container");
    const Rect& b = info->bounds;
    info->containerPrimarySize = isVertical ? b.height : b.width;
    info->containerSecondarySize = isVertical ? b.width : b.height;

    const LayoutConstraint* c = constraint.get();
    float band = 0.0f;
    if (c && !(context && context->ignoreContainerPadding.get()))
        band = LayoutUtilities::pixels(c->padding.get(), -1.0f, "padding") +
               LayoutUtilities::nonNegative(c->borderThickness.get(), "borderThickness");
    band = std::max(0.0f, band);
    const float left = LayoutUtilities::leftSpace(c) + band;
    const float right = LayoutUtilities::rightSpace(c) + band;
    const float top = LayoutUtilities::headerHeight(c) + band;
    const float bottom = LayoutUtilities::footerHeight(c) + band;
    const float contentWidth = std::max(0.0f, b.width - left - right);
    const float contentHeight = std::max(0.0f, b.height - top - bottom);
    info->contentOrigin = Point(left, top);
    info->availablePrimarySize = isVertical ? contentHeight : contentWidth;
    info->availableSecondarySize = isVertical ? contentWidth : contentHeight;
    info->percentReferenceWidth = contentWidth;
    info->percentReferenceHeight = contentHeight;

    info->children.reserve(children.size());
    for (size_t i = 0; i < children.size(); ++i) {
        const auto& p = children[i];
        if (!p) continue;
        Child child;
        child.proxy = p;
        child.constraint = given ? constraints[i] : p->getConstraint();
        child.hasChildren = LayoutUtilities::hasChildren(*p);
        const LayoutConstraint* k = child.constraint.get();
        child.followsChildren = child.hasChildren && p->getStrategy() && (!k || k->considerChildrenForSizeCalculations.get());
        if (k) {
            child.growX = ResponsiveLayoutHelper::isGrowable(k, false);
            child.growY = ResponsiveLayoutHelper::isGrowable(k, true);
            child.shrinkX = ResponsiveLayoutHelper::isShrinkable(k, false);
            child.shrinkY = ResponsiveLayoutHelper::isShrinkable(k, true);
        }
        info->children.push_back(std::move(child));
    }

    if (c) {
        if (auto w = c->responsiveWeights.get()) {
            info->weights.reserve(w->size());
            for (float v : w->items()) {
                if (!(v >= 0.0f && std::isfinite(v))) {
                    LayoutUtilities::log("layout: a negative or non-finite responsive weight counts as 0");
                    v = 0.0f;
                }
                info->weights.push_back(v);
                info->weightSum += v;
            }
        }
    }
    info->useWeights = !info->weights.empty() && info->weightSum > 0.0f;
    return info;
}

} // namespace orvane
