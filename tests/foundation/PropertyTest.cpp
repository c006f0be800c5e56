// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/style/Dimension.h"
#include "orvane/datagrid/CompactFormatOptions.h"
#include "orvane/layout/LayoutConstraint.h"
#include "orvane/layout/LayoutProxy.h"
#include "orvane/package/Div.h"
#include "orvane/package/OrvaneUIPackage.h"
#include "orvane/package/Span.h"
#include "orvane/properties/ContainerUtilities.h"
#include "orvane/properties/EventCallback.h"
#include "orvane/properties/NumericRangeValidator.h"
#include "orvane/properties/PropertyChangeEvent.h"
#include "orvane/properties/VectorChangeEvent.h"
#include "orvane/properties/vector_map.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace orvane;

namespace {

// Counts the events of one type that reach a dispatcher.
struct Counter {
    int changes = 0;
    int invalid = 0;
    int vectorChanges = 0;
    std::vector<std::shared_ptr<PortableEvent>> events;
    std::vector<EventDispatcher*> sources;  // current source when delivered
    void attach(EventDispatcher& d) {
        d.addEventListener(AbstractProperty::CHANGE_EVENT, FunctionEventCallback::create([this](auto& e) {
                               ++changes;
                               events.push_back(e);
                               sources.push_back(e->getCurrentSource());
                           }));
        d.addEventListener(AbstractProperty::INVALID_VALUE, FunctionEventCallback::create([this](auto& e) {
                               ++invalid;
                               events.push_back(e);
                           }));
        d.addEventListener(AbstractMonitoredVector::VECTOR_CHANGE_EVENT,
                           FunctionEventCallback::create([this](auto& e) {
                               ++vectorChanges;
                               events.push_back(e);
                           }));
    }
};

class PropertyTest : public ::testing::Test {
protected:
    void SetUp() override { OrvaneUIPackage::instance(); }
};

} // namespace

TEST_F(PropertyTest, FirstSetAlwaysDispatchesThenOnlyRealChanges) {
    auto proxy = LayoutProxy::create();
    Counter c;
    c.attach(*proxy);
    proxy->grow.set(false);
    ASSERT_EQ(c.changes, 1);
    auto ev = std::dynamic_pointer_cast<PropertyChangeEvent<bool>>(c.events[0]);
    ASSERT_TRUE(ev);
    EXPECT_FALSE(ev->getOldValue());
    EXPECT_FALSE(ev->getNewValue());
    EXPECT_EQ(c.sources[0], proxy.get());
    EXPECT_EQ(ev->getOriginalSource(), &proxy->grow);
    proxy->grow.set(false);
    EXPECT_EQ(c.changes, 1);
    proxy->grow.set(true);
    EXPECT_EQ(c.changes, 2);

    // NaN never equals itself: every NaN set is a change.
    proxy->cumulativeExtraWidth.set(NAN);
    proxy->cumulativeExtraWidth.set(NAN);
    EXPECT_EQ(c.changes, 4);
}

TEST_F(PropertyTest, ValidatorRejectsAndKeepsTheValue) {
    auto opts = CompactFormatOptions::create();
    Counter c;
    c.attach(*opts);
    opts->scale.set(0);
    EXPECT_EQ(opts->scale.get(), 0u);
    EXPECT_EQ(c.invalid, 1);
    EXPECT_EQ(c.changes, 0);
    EXPECT_FALSE(opts->scale.hasValue());
    auto ev = std::dynamic_pointer_cast<PropertyChangeEvent<unsigned int>>(c.events.back());
    ASSERT_TRUE(ev);
    EXPECT_EQ(ev->getNewValue(), 0u);
    opts->scale.set(1);
    EXPECT_EQ(opts->scale.get(), 1u);
    EXPECT_EQ(c.changes, 1);

    NumericRangeValidator<unsigned int> v(1u, 4294967295u);
    EXPECT_TRUE(v.isValid(4294967295u));
    NumericRangeValidator<float> ex(0.0f, 1.0f, false, false, -1.0f, true);
    EXPECT_FALSE(ex.isValid(0.0f));
    EXPECT_FALSE(ex.isValid(1.0f));
    EXPECT_TRUE(ex.isValid(0.5f));
    EXPECT_TRUE(ex.isValid(-1.0f));
    EXPECT_FALSE(ex.isValid(NAN));
}

TEST_F(PropertyTest, CachingHoldsValuesBackUntilAppliedEvenWhileCachingStaysOn) {
    auto opts = CompactFormatOptions::create();
    Counter c;
    c.attach(*opts);
    opts->setCachingIsEnabled(true);
    opts->scale.set(0);  // not validated while cached
    opts->precision.set(3);
    EXPECT_EQ(c.changes + c.invalid, 0);
    EXPECT_EQ(opts->precision.get(), 0u);
    EXPECT_EQ(opts->precision.getCached(), 3u);
    EXPECT_TRUE(opts->hasPendingCache());

    opts->applyCache();  // caching stays on
    EXPECT_TRUE(opts->getCachingIsEnabled());
    EXPECT_EQ(opts->precision.get(), 3u);
    EXPECT_EQ(c.changes, 1);
    EXPECT_EQ(c.invalid, 1);  // scale 0 rejected on apply
    EXPECT_FALSE(opts->hasPendingCache());

    // Still caching after the apply.
    opts->precision.set(4);
    EXPECT_EQ(opts->precision.get(), 3u);
    opts->clearCache();
    opts->applyCache();
    EXPECT_EQ(opts->precision.get(), 3u);
    EXPECT_EQ(c.changes, 1);

    // A later write back to the current value wins over an earlier pending one.
    opts->precision.set(9);
    opts->precision.set(3);
    opts->applyCache();
    EXPECT_EQ(opts->precision.get(), 3u);
    EXPECT_EQ(c.changes, 1);

    opts->setCachingIsEnabled(false);
    opts->precision.set(5);
    EXPECT_EQ(c.changes, 2);
}

TEST_F(PropertyTest, ChangesForwardUpNestedChildModelsOnce) {
    auto root = LayoutProxy::create();
    auto child = LayoutProxy::create();
    auto grandchild = LayoutProxy::create();
    auto constraint = LayoutConstraint::create();
    root->children.set(MonitoredVector<std::shared_ptr<LayoutProxy>>::create());
    root->children.get()->push_back(child);
    child->children.set(MonitoredVector<std::shared_ptr<LayoutProxy>>::create({grandchild}));
    grandchild->defaultConstraint.set(constraint);

    Counter top;
    top.attach(*root);
    constraint->zIndex.set(3);
    EXPECT_EQ(top.changes, 1);
    ASSERT_EQ(top.events.size(), 1u);
    EXPECT_EQ(top.events[0]->getOriginalSource(), &constraint->zIndex);
    EXPECT_EQ(top.sources[0], root.get());

    // Vector changes below travel up too.
    grandchild->children.set(MonitoredVector<std::shared_ptr<LayoutProxy>>::create());
    EXPECT_EQ(top.changes, 2);
    grandchild->children.get()->push_back(LayoutProxy::create());
    EXPECT_EQ(top.vectorChanges, 1);

    // A replaced child no longer forwards.
    auto other = LayoutConstraint::create();
    grandchild->defaultConstraint.set(other);
    int before = top.changes;
    constraint->zIndex.set(4);
    EXPECT_EQ(top.changes, before);
    other->zIndex.set(1);
    EXPECT_EQ(top.changes, before + 1);

    // A removed element no longer forwards.
    root->children.get()->clear();
    before = top.changes;
    other->zIndex.set(2);
    EXPECT_EQ(top.changes, before);
}

TEST_F(PropertyTest, WeakReferencesNeverForwardAndCompareByTarget) {
    auto parent = Span::create();
    auto child = Span::create();
    parent->spans.set(MonitoredVector<std::shared_ptr<Span>>::create({child}));
    Counter pc, cc;
    pc.attach(*parent);
    cc.attach(*child);
    child->parentSpan.set(parent);
    EXPECT_EQ(cc.changes, 1);
    EXPECT_EQ(pc.changes, 1);  // seen through the child, not back again
    child->parentSpan.set(parent);
    EXPECT_EQ(cc.changes, 1);
    // A change of the parent does not travel down the weak link to the child.
    parent->content.set(std::make_shared<const std::string>("x"));
    EXPECT_EQ(cc.changes, 1);

    auto lonely = Span::create();
    {
        auto target = Span::create();
        lonely->parentSpan.set(target);
    }
    Counter lc;
    lc.attach(*lonely);
    lonely->parentSpan.set(std::shared_ptr<Span>());
    EXPECT_EQ(lc.changes, 0);
}

TEST_F(PropertyTest, MonitoredVectorAnnouncesEachMutationOnce) {
    auto v = MonitoredVector<int>::create({1, 2, 3});
    std::vector<std::shared_ptr<VectorChangeEvent<int>>> events;
    v->addEventListener(AbstractMonitoredVector::VECTOR_CHANGE_EVENT, FunctionEventCallback::create([&](auto& e) {
                            events.push_back(std::dynamic_pointer_cast<VectorChangeEvent<int>>(e));
                        }));
    v->clear();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0]->getDeletions(), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(events[0]->getAdditions().empty());
    v->clear();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_TRUE(events[1]->getDeletions().empty());
    v->push_back(7);
    v->emplace_back(8);
    v->erase(v->begin());
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[2]->getAdditions(), std::vector<int>{7});
    EXPECT_EQ(events[4]->getDeletions(), std::vector<int>{7});
    EXPECT_EQ(v->items(), std::vector<int>{8});
    v->setDispatchIsEnabled(false);
    v->push_back(9);
    EXPECT_EQ(events.size(), 5u);
}

TEST_F(PropertyTest, DimensionConvertsUnits) {
    Dimension px(12.0f, DimensionUnit::PIXELS);
    EXPECT_FLOAT_EQ(px.getScalarValueForUnit(DimensionUnit::PIXELS, -1.0f, 1.0f), 12.0f);
    EXPECT_FLOAT_EQ(px.getScalarValueForUnit(DimensionUnit::POINTS), 9.0f);
    Dimension pt(9.0f, DimensionUnit::POINTS);
    EXPECT_FLOAT_EQ(pt.getScalarValueForUnit(DimensionUnit::PIXELS), 12.0f);
    Dimension pct(50.0f, DimensionUnit::PERCENT);
    EXPECT_FLOAT_EQ(pct.getScalarValueForUnit(DimensionUnit::PIXELS, 300.0f), 150.0f);
    EXPECT_FLOAT_EQ(pct.getScalarValueForUnit(DimensionUnit::PIXELS, -1.0f), 0.0f);
    Dimension def(1.0f, DimensionUnit::DEFAULT);
    EXPECT_FLOAT_EQ(def.getScalarValueForUnit(DimensionUnit::PIXELS), 1.0f);
    EXPECT_FALSE(Dimension::fromString("12furlongs"));
    EXPECT_FALSE(Dimension::fromString("nan"));
    auto d = Dimension::fromString("12.5pt");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->getUnit(), DimensionUnit::POINTS);
    EXPECT_EQ(d->toString(), "12.5pt");
}

TEST(ContainerUtilities, CollectAndVectorMap) {
    std::shared_ptr<std::vector<std::shared_ptr<int>>> out;
    ContainerUtilities::collect(out, std::shared_ptr<int>());
    EXPECT_FALSE(out);
    ContainerUtilities::collect(out, std::make_shared<int>(1));
    ASSERT_TRUE(out);
    auto more = std::make_shared<std::vector<std::shared_ptr<int>>>(2, std::make_shared<int>(2));
    ContainerUtilities::collect_all(out, more);
    EXPECT_EQ(out->size(), 3u);
    std::shared_ptr<std::vector<std::shared_ptr<int>>> fresh;
    ContainerUtilities::collect_all(fresh, more);
    EXPECT_NE(fresh.get(), more.get());
    EXPECT_EQ(ContainerUtilities::flatten(std::vector<std::vector<int>>{{1}, {2, 3}}), (std::vector<int>{1, 2, 3}));

    vector_map<int, std::string> m;
    m.insert(5, "five");
    m.insert(1, "one");
    m.insert(5, "FIVE");
    ASSERT_TRUE(m.find(5));
    EXPECT_EQ(*m.find(5), "FIVE");
    EXPECT_EQ(m.find(2), nullptr);
    EXPECT_EQ(m.always_find(2), "");
    EXPECT_EQ(m.size(), 3u);
}
