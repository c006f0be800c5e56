// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/layout/LayoutStrategy.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

/// Every child receives the same rectangle, so children lie on top of each
/// other and fill the container: x = I, y = I + Hd, w = W - 2I, h = H - 2I - Hd
/// (I the context's containerInset, Hd the container constraint's headerHeight,
/// W x H the container's size). Sizes are not clamped: a container smaller than
/// its insets gives negative sizes. Disabled children are left out (they keep
/// their empty bounds). Then the base recursion runs.
class ORVANE_EXPORT StackLayoutStrategy : public LayoutStrategy {
public:
    static constexpr int WRAPPER_TYPE_ID = 10086;
    StackLayoutStrategy();
    ~StackLayoutStrategy() override;
    static std::shared_ptr<StackLayoutStrategy> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    int getStrategyType() const override { return 4; }
    void layout(const std::shared_ptr<LayoutProxy>& proxy, const std::shared_ptr<LayoutContext>& context) override;
};

} // namespace orvane
