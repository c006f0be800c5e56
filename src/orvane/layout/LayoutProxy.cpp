// SPDX-License-Identifier: Apache-2.0
#include "orvane/layout/LayoutProxy.h"

#include "orvane/host/core/CLog.h"
#include "orvane/layout/LayoutConstraint.h"
#include "orvane/layout/LayoutContext.h"
#include "orvane/layout/LayoutPass.h"
#include "orvane/layout/LayoutStrategy.h"
#include "orvane/layout/LayoutUtilities.h"
#include "orvane/layout/ResponsiveLayoutStrategy.h"
#include "orvane/layout/TiledReflowLayoutStrategy.h"
#include "orvane/package/BaseUIModelDatabase.h"
#include "orvane/package/LayoutStrategyType.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orvane {

namespace {
constexpr const char* kSource = "orvane/layout/LayoutProxy";

float readPixels(const Dimension* d) {
    if (!d) return 0.0f;
    return d->getScalarValueForUnit(DimensionUnit::PIXELS, -1.0f, 1.0f);
}
float readPixels(const std::shared_ptr<Dimension>& d) { return readPixels(d.get()); }
} // namespace

LayoutProxy::LayoutProxy()
    : x(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      y(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      w(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      h(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)),
      children(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 4)),
      defaultStrategy(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 5)),
      defaultConstraint(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 6)),
      grow(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 7)),
      childrenPerLine(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 8)),
      cumulativeExtraHeight(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 9)),
      cumulativeExtraWidth(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 10)),
      isDisabled(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 11)) {
}

LayoutProxy::~LayoutProxy() = default;

std::shared_ptr<LayoutProxy> LayoutProxy::create() {
    auto m = std::make_shared<LayoutProxy>();
    m->initialize();
    return m;
}

std::shared_ptr<LayoutStrategy> LayoutProxy::getStrategy() const { return defaultStrategy.get(); }

std::shared_ptr<LayoutConstraint> LayoutProxy::getConstraint() const { return defaultConstraint.get(); }

Rect LayoutProxy::getBoundsInPixels() const {
    using U = LayoutUtilities;
    return {readPixels(U::peek(x)), readPixels(U::peek(y)), readPixels(U::peek(w)), readPixels(U::peek(h))};
}

bool LayoutProxy::changesAreHeard() const {
    return getCachingIsEnabled() || wouldDeliver(AbstractProperty::CHANGE_EVENT);
}

void LayoutProxy::writePixels(Property<std::shared_ptr<Dimension>, true>& property, float value, bool heard) {
    // Unheard and unshared: change the held Dimension in place. No listener
    // would receive the change event and nobody else holds the old object, so
    // this cannot be told apart from writing a new one, and costs no
    // allocation.
    const auto* held = static_cast<const std::shared_ptr<void>*>(property.getObjectHandle());
    if (!heard && property.hasValue() && *held && held->use_count() == 1 && property.getForwardTargetCount() == 0 &&
        !property.hasEventListener(AbstractProperty::CHANGE_EVENT)) {
        auto* d = static_cast<Dimension*>(held->get());
        d->setValue(value);
        d->setUnit(DimensionUnit::PIXELS);
        return;
    }
    property.set(Dimension::create(value, DimensionUnit::PIXELS));
}

void LayoutProxy::setBoundsInPixels(const Rect& rect) {
    Rect r = LayoutUtilities::finiteRect(rect, "a layout proxy");
    const bool heard = changesAreHeard();
    writePixels(x, r.x, heard);
    writePixels(y, r.y, heard);
    writePixels(w, r.width, heard);
    writePixels(h, r.height, heard);
}

void LayoutProxy::translate(const Point& point) {
    float dx = std::isfinite(point.x) ? point.x : 0.0f;
    float dy = std::isfinite(point.y) ? point.y : 0.0f;
    if (dx != point.x || dy != point.y) LayoutUtilities::log("layout: non-finite translation ignored");
    float nx = readPixels(x.get()) + dx;
    float ny = readPixels(y.get()) + dy;
    const bool heard = changesAreHeard();
    writePixels(x, std::isfinite(nx) ? nx : 0.0f, heard);
    writePixels(y, std::isfinite(ny) ? ny : 0.0f, heard);
}

void LayoutProxy::disable() {
    isDisabled.set(true);
    setBoundsInPixels(Rect(0.0f, 0.0f, 0.0f, 0.0f));
}

void LayoutProxy::enable() { isDisabled.set(false); }

std::shared_ptr<LayoutProxy> LayoutProxy::getLayoutParent() const {
    auto parent = layoutParent_.lock();
    if (!parent) return nullptr;
    auto kids = parent->children.get();
    if (!kids) return nullptr;
    for (const auto& c : kids->items())
        if (c.get() == this) return parent;
    return nullptr;
}

void LayoutProxy::mirror(const LayoutContext& context, const LayoutProxy& proxy, const Rect& r, bool horizontally) {
    auto kids = proxy.children.get();
    if (!kids || kids->empty()) return;
    LayoutPass::Scope scope;
    if (!scope.ok()) return;
    for (size_t i = 0; i < kids->size(); ++i) {
        std::shared_ptr<LayoutProxy> child = (*kids)[i];
        if (!child) continue;
        auto& position = horizontally ? child->x : child->y;
        float p = readPixels(position.get());
        float s = readPixels((horizontally ? child->w : child->h).get());
        // Positions are relative to the parent: mirror within its own extent.
        float mirrored = horizontally ? r.width - p - s : r.height - p - s;
        if (!std::isfinite(mirrored)) mirrored = 0.0f;
        // The existing Dimension is changed in place (no change event); a
        // missing one is created.
        if (auto d = position.get()) {
            d->setValue(mirrored);
            d->setUnit(DimensionUnit::PIXELS);
        } else {
            position.set(Dimension::create(mirrored, DimensionUnit::PIXELS));
        }
        // The grandchildren are placed within the child: mirror them within
        // the child's own rectangle, not the one this level was given.
        if (!context.disableRecursion.get())
            mirror(context, *child, Rect(0.0f, 0.0f, readPixels(child->w.get()), readPixels(child->h.get())),
                   horizontally);
    }
}

void LayoutProxy::layout(const std::shared_ptr<LayoutContext>& context) {
    if (!context || !LayoutUtilities::hasChildren(*this)) return;
    auto strategy = getStrategy();
    if (!strategy) return;
    auto self = sharedAs<LayoutProxy>();
    if (!self) {
        ORVANE_LOG(CLog::ERRORS, kSource, "layout refused: the proxy is not held by a shared pointer");
        return;
    }
    if (!LayoutUtilities::checkTree(*this, "layout")) return;
    LayoutPass::Full full;
    LayoutPass::Scope scope;
    strategy->layout(self, context);
    Rect r = LayoutUtilities::finiteRect(getBoundsInPixels(), "a layout proxy");
    if (context->invertXSpace.get()) mirror(*context, *this, r, true);
    if (context->invertYSpace.get()) mirror(*context, *this, r, false);
    if (LayoutStrategy::reflowApplies(*this, *strategy, *context)) {
        auto reflow = TiledReflowLayoutStrategy::create();
        reflow->layout(self, context);
    }
}

void LayoutProxy::relayout(const std::shared_ptr<LayoutContext>& context) {
    if (!context) return;
    auto self = sharedAs<LayoutProxy>();
    if (!self) {
        ORVANE_LOG(CLog::ERRORS, kSource, "relayout refused: the proxy is not held by a shared pointer");
        return;
    }
    // Path from this proxy up to the container whose strategy runs again.
    std::vector<const LayoutProxy*> path{this};
    std::shared_ptr<LayoutProxy> top = getLayoutParent();
    if (!top) {
        layout(context);
        return;
    }
    if (context->invertXSpace.get() || context->invertYSpace.get()) {
        // Mirroring flips the whole tree once, from the proxy layout was
        // called on: lay out again from the topmost known ancestor.
        for (int i = 0; i < LayoutPass::MAX_DEPTH; ++i) {
            auto up = top->getLayoutParent();
            if (!up) break;
            top = std::move(up);
        }
        top->layout(context);
        return;
    }
    for (int i = 0; i < LayoutPass::MAX_DEPTH; ++i) {
        auto parent = top->getLayoutParent();
        if (!parent) break;
        // A responsive parent reads its container children's minimum and
        // preferred sizes from their content: the change may move them.
        auto ps = parent->getStrategy();
        if (!ps || ps->getStrategyType() != LayoutStrategyType::LS_RESPONSIVE) break;
        auto c = top->getConstraint();
        if (c && !c->considerChildrenForSizeCalculations.get()) break;
        path.push_back(top.get());
        top = std::move(parent);
    }
    LayoutPass::Incremental incremental(std::move(path));
    LayoutStrategy::layoutContainer(top, context);
}

void LayoutProxy::setNarrowScreenLayout(bool narrow) {
    if (!LayoutUtilities::checkTree(*this, "narrow-screen switch")) return;
    narrowScreen(narrow);
}

void LayoutProxy::narrowScreen(bool narrow) {
    LayoutPass::Scope scope;
    if (!scope.ok()) return;
    auto strategy = getStrategy();
    auto responsive = std::dynamic_pointer_cast<ResponsiveLayoutStrategy>(strategy);
    if (responsive) {
        if (narrow) {
            responsive->orientation.set(LayoutOrientation::HORIZONTAL);
            if (responsive->overflow.get() == ResponsiveLayoutOverflowType::SCROLL)
                responsive->overflow.set(ResponsiveLayoutOverflowType::FIT);
        } else {
            responsive->orientation.set(responsive->backupOrientation.get());
            responsive->overflow.set(responsive->backupOverflow.get());
        }
    }
    if (auto c = getConstraint()) {
        if (narrow) {
            if (responsive) c->responsiveWeights.set(MonitoredVector<float>::create(std::vector<float>{1.0f}));
            if (!c->horizontalOffset.get() && !c->verticalOffset.get())
                c->width.set(Dimension::create(100.0f, DimensionUnit::PERCENT));
        } else {
            // Copies, so that a later change of one does not alter the other.
            auto weights = c->backupResponsiveWeights.get();
            c->responsiveWeights.set(weights ? MonitoredVector<float>::create(weights->toVector()) : nullptr);
            auto width = c->backupWidth.get();
            c->width.set(width ? Dimension::create(width->getValue(), width->getUnit()) : nullptr);
        }
    }
    auto kids = children.get();
    if (!kids) return;
    for (size_t i = 0; i < kids->size(); ++i)
        if (auto child = (*kids)[i]) child->narrowScreen(narrow);
}

} // namespace orvane
