// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/host/style/Dimension.h"
#include "orvane/host/core/GeometryUtilities.h"
#include "orvane/properties/MonitoredVector.h"
#include "orvane/properties/Property.h"

#include <cstdint>
#include <memory>
#include <string>

namespace orvane {

class LayoutConstraint;
class LayoutContext;
class LayoutStrategy;

/// One laid-out element (a view, a container, a tile). The host hangs the
/// proxies of a container's children under the container's proxy, gives each a
/// LayoutConstraint (what the element wants) and each container a
/// LayoutStrategy (how its children are placed), sets the root's bounds to the
/// available area and calls layout(context) on the root. Afterwards every
/// proxy's bounds, read with getBoundsInPixels(), are relative to its parent
/// proxy's area. Strategies write only x, y, w and h of the child proxies (each
/// write is a new pixel Dimension and so one property change event) and the
/// responsive bookkeeping properties.
///
/// Size requests: the responsive and relative strategies ask the content behind
/// a proxy for sizes by dispatching a PreferredSizeRequestEvent on that proxy
/// (or a GroupPreferredSizeRequestEvent on the container). Events bubble up the
/// model tree, so a host may listen once on the root; a listener answers with
/// the event's setResult(...), which the strategy reads right after the
/// synchronous dispatch. The event's getOriginalSource() is the asking proxy.
class ORVANE_EXPORT LayoutProxy : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10048;
    LayoutProxy();
    ~LayoutProxy() override;
    static std::shared_ptr<LayoutProxy> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<std::shared_ptr<Dimension>, true> x;
    Property<std::shared_ptr<Dimension>, true> y;
    Property<std::shared_ptr<Dimension>, true> w;
    Property<std::shared_ptr<Dimension>, true> h;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<LayoutProxy>>>, true> children;
    Property<std::shared_ptr<LayoutStrategy>, true> defaultStrategy;
    Property<std::shared_ptr<LayoutConstraint>, true> defaultConstraint;
    Property<bool> grow;
    Property<std::shared_ptr<MonitoredVector<int>>> childrenPerLine;
    Property<float> cumulativeExtraHeight;
    Property<float> cumulativeExtraWidth;
    Property<bool> isDisabled;

    /// The strategy placing the children and this element's wishes. Every
    /// strategy reads them only through these two (defaultStrategy and
    /// defaultConstraint here), so a subclass may supply them from elsewhere.
    virtual std::shared_ptr<LayoutStrategy> getStrategy() const;
    virtual std::shared_ptr<LayoutConstraint> getConstraint() const;

    /// Lays out the whole subtree below this proxy: the strategy places the
    /// children and recurses; then the subtree is mirrored when the context
    /// asks for it; a tiled container narrower than the context's designWidth
    /// is re-laid out by the tiled-reflow strategy when enableTileReflow is set.
    /// Does nothing without a context, children or strategy. A tree with a
    /// cycle, a proxy present twice or more than 256 levels is refused with a
    /// log line before anything is written.
    void layout(const std::shared_ptr<LayoutContext>& context);

    /// Lays out again what a change of this proxy's constraint (or of its
    /// content's size) can affect, after a full layout() of the tree: the
    /// parent re-places its children, climbing further up only while the
    /// parent's own placement reads its children's content sizes (a responsive
    /// parent of a container that considers its children). Below the proxy
    /// where it starts, only the subtrees whose bounds moved and the path to
    /// this proxy are laid out again. Falls back to a full layout of the
    /// topmost known ancestor when mirroring is on, and to layout() of this
    /// proxy when no earlier pass recorded its parent.
    void relayout(const std::shared_ptr<LayoutContext>& context);

    /// (x, y, width, height) in pixels, 0 where a Dimension is null.
    Rect getBoundsInPixels() const;
    /// Replaces x, y, w and h by new pixel Dimensions (one change event each).
    /// Non-finite values are written as 0 (logged). When no listener would
    /// receive the change events (here or up the model tree) and nobody else
    /// holds the current Dimension, that Dimension is changed in place instead:
    /// nothing can tell the difference, and a pass then allocates nothing.
    void setBoundsInPixels(const Rect& rect);
    /// Moves x and y by the point (new pixel Dimensions); the size is kept.
    void translate(const Point& point);
    /// Sets isDisabled, then empty bounds (0, 0, 0, 0).
    void disable();
    /// Clears isDisabled; the bounds stay until the next layout.
    void enable();
    /// Switches this subtree between its normal and its narrow-screen
    /// configuration (responsive orientation and overflow, weights and widths;
    /// the backup properties are restored when leaving it). Refused with a log
    /// line on a malformed tree, like layout().
    void setNarrowScreenLayout(bool narrow);

    /// The parent recorded for this proxy by the last pass that placed it, when
    /// that parent still holds it among its children; null otherwise.
    std::shared_ptr<LayoutProxy> getLayoutParent() const;

private:
    friend class LayoutStrategy;
    friend class LayoutUtilities;
    friend class ResponsiveLayoutHelper;

    void narrowScreen(bool narrow);
    bool changesAreHeard() const;
    static void writePixels(Property<std::shared_ptr<Dimension>, true>& property, float value, bool heard);
    static void mirror(const LayoutContext& context, const LayoutProxy& proxy, const Rect& r, bool horizontally);

    /// Bookkeeping of layout passes; the flags sit together after the wider
    /// fields, so that no padding comes between.
    std::weak_ptr<LayoutProxy> layoutParent_;
    Rect laidOutBounds_;
    /// Measures of this container taken by its parent's last responsive pass,
    /// reused by an incremental relayout for containers off the changed path.
    float measuredMinimum_[2] = {-1.0f, -1.0f};
    float measuredPreferred_ = -1.0f;
    float measuredPreferredFor_ = -1.0f;
    mutable uint64_t checkMark_ = 0;
    bool hasLaidOutBounds_ = false;
    bool measuredPreferredVertical_ = false;
    mutable bool onCheckPath_ = false;
};

} // namespace orvane
