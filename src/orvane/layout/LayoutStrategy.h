// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class LayoutContext;
class LayoutProxy;

/// How a container proxy places its children. Concrete strategies override
/// layout(proxy, context): they place the proxy's direct children, then call
/// this base operation, which lays out every child's own subtree with the
/// child's strategy.
///
/// The base step: nothing when the proxy or the context is null, the proxy has
/// no children or the context's disableRecursion is set; otherwise, for each
/// child in order that has a strategy and a children vector, that strategy's
/// layout(child, context). It neither checks isDisabled nor mirrors. A tiled
/// child narrower than the context's designWidth is handed to the tiled-reflow
/// strategy when enableTileReflow is set, as LayoutProxy::layout does for the
/// proxy it is called on, so that nested tiled areas re-flow too.
///
/// The step also records each child's parent and bounds, which
/// LayoutProxy::relayout uses to lay out again only what a change affects.
/// Recursion deeper than 256 levels stops with a log line.
class ORVANE_EXPORT LayoutStrategy : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10049;
    LayoutStrategy();
    ~LayoutStrategy() override;
    static std::shared_ptr<LayoutStrategy> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    /// LayoutStrategyType of the strategy; the base returns 0.
    virtual int getStrategyType() const { return 0; }
    virtual void layout(const std::shared_ptr<LayoutProxy>& proxy, const std::shared_ptr<LayoutContext>& context);

    /// Lays out one container with its own strategy (or with the tiled-reflow
    /// strategy when the reflow rule applies). Used by the recursion and by
    /// LayoutProxy::relayout.
    static void layoutContainer(const std::shared_ptr<LayoutProxy>& proxy, const std::shared_ptr<LayoutContext>& context);
    /// Whether the reflow rule hands this tiled container to the reflow strategy.
    static bool reflowApplies(const LayoutProxy& proxy, const LayoutStrategy& strategy, const LayoutContext& context);
};

} // namespace orvane
