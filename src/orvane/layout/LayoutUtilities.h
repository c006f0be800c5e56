// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/style/Dimension.h"
#include "orvane/host/core/GeometryUtilities.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <optional>
#include <vector>

namespace orvane {

class LayoutConstraint;
class LayoutContext;
class LayoutProxy;
class LayoutStrategy;

/// Shared reading and checking of layout values. Every number a strategy takes
/// from a constraint, a context or a proxy passes through here, so that a
/// negative, NaN or infinite value is clamped or ignored once (with a log line,
/// section 1) and never reaches the bounds a pass writes.
class ORVANE_EXPORT LayoutUtilities {
public:
    /// The object a shared-pointer property holds, without taking a reference
    /// (no reference counting): for reads that finish before any event can be
    /// dispatched.
    template <class X, bool M>
    static X* peek(const Property<std::shared_ptr<X>, M>& p) {
        return static_cast<X*>(static_cast<const std::shared_ptr<void>*>(p.getObjectHandle())->get());
    }

    /// Pixel value of a Dimension (relative units against `reference`); 0 for
    /// a null Dimension and for a value that is not finite (logged).
    static float pixels(const std::shared_ptr<Dimension>& d, float reference = -1.0f, const char* what = "length");
    static float pixels(const Dimension* d, float reference = -1.0f, const char* what = "length");
    /// A wanted size: empty when the Dimension is null or not finite (logged);
    /// negative values are clamped to 0 (logged).
    static std::optional<float> size(const std::shared_ptr<Dimension>& d, float reference, const char* what);
    /// An offset: empty when null; not finite gives 0, negative gives 0 (both logged).
    static std::optional<float> offset(const std::shared_ptr<Dimension>& d, float reference, const char* what);
    /// A plain pixel amount (minimums, spaces, gaps, insets): NaN, infinite and
    /// negative values become 0 (logged).
    static float nonNegative(float v, const char* what);
    /// A maximum: NaN and +infinity mean "no maximum" and give NaN; anything
    /// else is returned as it is (0 or less takes a child out of responsive
    /// placement).
    static float maximum(float v);
    /// Whether a maximum limits a size (a positive finite number).
    static bool hasMaximum(float m) { return m > 0.0f && m < 3.0e38f; }

    /// A rectangle with every non-finite field replaced by 0 (logged).
    static Rect finiteRect(const Rect& r, const char* what);

    /// Constraint readers (0 / no maximum without a constraint).
    static float minimumSize(const LayoutConstraint* c, bool vertical);
    static float maximumSize(const LayoutConstraint* c, bool vertical);
    static float headerHeight(const LayoutConstraint* c);
    static float footerHeight(const LayoutConstraint* c);
    static float leftSpace(const LayoutConstraint* c);
    static float rightSpace(const LayoutConstraint* c);

    /// Whether the proxy's children vector exists and is not empty.
    static bool hasChildren(const LayoutProxy& proxy);
    /// A copy of the proxy's children, without null entries (empty when there
    /// are none). Strategies work on such a copy, so that a listener changing
    /// the vector during a pass cannot invalidate the walk.
    static std::vector<std::shared_ptr<LayoutProxy>> childrenOf(const LayoutProxy& proxy);
    /// childrenOf without the disabled children: the ones a strategy places.
    static std::vector<std::shared_ptr<LayoutProxy>> enabledChildrenOf(const LayoutProxy& proxy);

    /// Primary sizes of children placed one after another along `available`
    /// pixels: a child with a wanted size (> 0) keeps it, the others share what
    /// the wanted sizes leave equally (possibly a negative share).
    static std::vector<float> shareRemaining(const std::vector<float>& wanted, float available);
    /// Where tiled content starts in a container with bounds `bounds`: below
    /// its header at (0, header), or at the container's own position when the
    /// context's positionTiledContentRelativeToRoot is set.
    static Point tiledOrigin(const LayoutContext& context, const Rect& bounds, float header);

    /// Checks the subtree below `root` before a pass or a recursive walk: a
    /// proxy that is its own descendant (a cycle), a proxy reached twice (which
    /// would be laid out twice and makes walks exponential) or a tree deeper
    /// than LayoutPass::MAX_DEPTH is refused with a log line naming `operation`.
    /// Walks iteratively, so any tree can be checked without deep recursion.
    static bool checkTree(const LayoutProxy& root, const char* operation);

    /// Shares `total` among parts in proportion to `weights` in whole pixels:
    /// the cumulative boundaries are rounded, so every part is within one pixel
    /// of its exact share and the parts add up to `total` exactly (when total is
    /// not a whole number, the last part carries the fraction). Zero or invalid
    /// weights give 0; when all weights are 0 the parts share equally.
    static std::vector<float> distributeWholePixels(float total, const std::vector<float>& weights);

    /// Asks the content behind `proxy` for a size: dispatches a
    /// PreferredSizeRequestEvent of `type` with `constrained` on the proxy and
    /// returns the answer a listener gave with setResult. The event is built
    /// only when some listener (on the proxy or up the model tree) would see it.
    /// `hears` may tell whether the proxy's parent chain has a listener for
    /// `type` (1 yes, 0 no; -1 unknown), which saves the walk up the tree.
    static std::optional<float> requestSize(LayoutProxy& proxy, int type, float constrained, int hears = -1);
    /// One GroupPreferredSizeRequestEvent of `type` on `container` for
    /// `proxies` with their `constrained` sizes; answers land in `answers`
    /// (NaN where none was given). Nothing is dispatched when nobody listens.
    static void requestGroupSizes(LayoutProxy& container, int type, const std::vector<std::shared_ptr<LayoutProxy>>& proxies,
                                  const std::vector<float>& constrained, std::vector<float>& answers);

    static void log(const char* message);
};

} // namespace orvane
