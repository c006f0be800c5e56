// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/style/Dimension.h"
#include "orvane/host/core/GeometryUtilities.h"
#include "orvane/layout/LayoutConstraint.h"
#include "orvane/layout/LayoutContext.h"
#include "orvane/layout/LayoutProxy.h"
#include "orvane/layout/LayoutStrategy.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

namespace orvane::test {

inline std::shared_ptr<Dimension> px(float v) { return Dimension::create(v, DimensionUnit::PIXELS); }
inline std::shared_ptr<Dimension> percent(float v) { return Dimension::create(v, DimensionUnit::PERCENT); }

// A proxy with the given bounds, strategy and children.
inline std::shared_ptr<LayoutProxy> container(const Rect& bounds, std::shared_ptr<LayoutStrategy> strategy,
                                              const std::vector<std::shared_ptr<LayoutProxy>>& kids = {}) {
    auto p = LayoutProxy::create();
    p->setBoundsInPixels(bounds);
    p->defaultStrategy.set(std::move(strategy));
    p->children.set(MonitoredVector<std::shared_ptr<LayoutProxy>>::create(kids));
    return p;
}

inline std::shared_ptr<LayoutProxy> leaf() { return LayoutProxy::create(); }

// The constraint of a proxy, created on first use.
inline std::shared_ptr<LayoutConstraint> constraintOf(const std::shared_ptr<LayoutProxy>& p) {
    auto c = p->defaultConstraint.get();
    if (!c) {
        c = LayoutConstraint::create();
        p->defaultConstraint.set(c);
    }
    return c;
}

inline std::vector<std::shared_ptr<LayoutProxy>> leaves(size_t n) {
    std::vector<std::shared_ptr<LayoutProxy>> v;
    for (size_t i = 0; i < n; ++i) v.push_back(leaf());
    return v;
}

inline std::shared_ptr<MonitoredVector<float>> floats(std::initializer_list<float> v) {
    return MonitoredVector<float>::create(std::vector<float>(v));
}

} // namespace orvane::test

#define EXPECT_RECT(r, ex, ey, ew, eh)         \
    do {                                       \
        const ::orvane::Rect _r = (r);         \
        EXPECT_NEAR(_r.x, (ex), 0.01f);        \
        EXPECT_NEAR(_r.y, (ey), 0.01f);        \
        EXPECT_NEAR(_r.width, (ew), 0.01f);    \
        EXPECT_NEAR(_r.height, (eh), 0.01f);   \
    } while (0)
