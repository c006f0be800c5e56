// SPDX-License-Identifier: Apache-2.0
// Properties keep listeners, forwarding links and pending cached values out of
// line, created on first use: a property that gets them late must behave as
// one that had them from the start.
#include "orvane/host/core/BaseModel.h"
#include "orvane/layout/LayoutConstraint.h"
#include "orvane/layout/LayoutProxy.h"
#include "orvane/package/OrvaneUIPackage.h"
#include "orvane/properties/EventCallback.h"
#include "orvane/properties/MonitoredVector.h"
#include "orvane/properties/NumericRangeValidator.h"
#include "orvane/properties/Property.h"
#include "orvane/properties/PropertyChangeEvent.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace orvane;

namespace {

struct Seen {
    std::vector<float> oldValues, newValues;
    std::vector<EventDispatcher*> original, current;
    std::shared_ptr<AbstractEventCallback> callback() {
        return FunctionEventCallback::create([this](auto& e) {
            auto ev = std::dynamic_pointer_cast<PropertyChangeEvent<float>>(e);
            if (!ev) return;  // other value types: not recorded
            oldValues.push_back(ev->getOldValue());
            newValues.push_back(ev->getNewValue());
            original.push_back(e->getOriginalSource());
            current.push_back(e->getCurrentSource());
        });
    }
};

PropertyDefinition looseDefinition() {
    PropertyDefinition d;
    d.name = "loose";
    d.valueType = ValueType::FLOAT;
    return d;
}
const PropertyDefinition kLooseDefinition = looseDefinition();

class LeanPropertyTest : public ::testing::Test {
protected:
    void SetUp() override { OrvaneUIPackage::instance(); }
};

} // namespace

TEST_F(LeanPropertyTest, AListenerAddedLateSeesTheNextChangesOnly) {
    auto c = LayoutConstraint::create();
    Property<float>& p = c->minimumWidth;
    const std::string_view name = p.getName();
    // Sets with nobody listening, switching dispatch off and on.
    p.set(1.0f);
    p.setDispatchIsEnabled(false);
    p.set(2.0f);
    p.setDispatchIsEnabled(true);
    EXPECT_EQ(p.get(), 2.0f);

    Seen onProperty, onOwner;
    p.addEventListener(AbstractProperty::CHANGE_EVENT, onProperty.callback());
    c->addEventListener(AbstractProperty::CHANGE_EVENT, onOwner.callback());
    // The definition, owner and flags survive the move to the extra block.
    EXPECT_EQ(p.getName(), name);
    EXPECT_EQ(p.getOwner(), static_cast<PropertyOwner*>(c.get()));
    EXPECT_TRUE(p.hasValue());
    EXPECT_TRUE(p.getDispatchIsEnabled());
    EXPECT_EQ(c->getProperty(name), &p);

    p.set(3.0f);
    p.set(3.0f);  // unchanged: nothing
    ASSERT_EQ(onProperty.newValues.size(), 1u);
    EXPECT_EQ(onProperty.oldValues[0], 2.0f);
    EXPECT_EQ(onProperty.newValues[0], 3.0f);
    EXPECT_EQ(onProperty.original[0], &p);
    EXPECT_EQ(onProperty.current[0], &p);
    ASSERT_EQ(onOwner.newValues.size(), 1u);
    EXPECT_EQ(onOwner.current[0], c.get());
    EXPECT_EQ(onOwner.original[0], &p);

    // Switching dispatch off after the block exists still silences it.
    p.setDispatchIsEnabled(false);
    p.set(4.0f);
    EXPECT_EQ(onProperty.newValues.size(), 1u);
    EXPECT_EQ(onOwner.newValues.size(), 1u);
    p.setDispatchIsEnabled(true);
    p.removeAllEventListeners();
    p.set(5.0f);
    EXPECT_EQ(onProperty.newValues.size(), 1u);
    EXPECT_EQ(onOwner.newValues.size(), 2u);
}

TEST_F(LeanPropertyTest, ForwardingStartsWhenAChildArrivesLate) {
    auto proxy = LayoutProxy::create();
    Seen onProxy;
    proxy->addEventListener(AbstractProperty::CHANGE_EVENT, onProxy.callback());
    // The constraint property got no listener and no link so far.
    auto first = LayoutConstraint::create();
    proxy->defaultConstraint.set(first);
    first->minimumWidth.set(7.0f);
    ASSERT_EQ(onProxy.newValues.size(), 1u);
    EXPECT_EQ(onProxy.newValues[0], 7.0f);
    EXPECT_EQ(onProxy.original[0], &first->minimumWidth);
    EXPECT_TRUE(first->hasForwardTarget(&proxy->defaultConstraint));

    // A listener on the holding property, added after the link, hears the
    // child's changes too, and the link moves with a new child.
    Seen onHolder;
    proxy->defaultConstraint.addEventListener(AbstractProperty::CHANGE_EVENT, onHolder.callback());
    first->minimumWidth.set(8.0f);
    ASSERT_EQ(onHolder.newValues.size(), 1u);
    EXPECT_EQ(onHolder.current[0], &proxy->defaultConstraint);
    auto second = LayoutConstraint::create();
    proxy->defaultConstraint.set(second);
    EXPECT_FALSE(first->hasForwardTarget(&proxy->defaultConstraint));
    first->minimumWidth.set(9.0f);
    second->minimumWidth.set(10.0f);
    EXPECT_EQ(onHolder.newValues.size(), 2u);
    EXPECT_EQ(onHolder.newValues.back(), 10.0f);
    EXPECT_EQ(onProxy.newValues.back(), 10.0f);

    // Cleared: the old child stops forwarding.
    proxy->defaultConstraint.set(nullptr);
    EXPECT_FALSE(second->hasForwardTarget(&proxy->defaultConstraint));
    second->minimumWidth.set(11.0f);
    EXPECT_EQ(onHolder.newValues.size(), 2u);
}

TEST_F(LeanPropertyTest, CachedValuesLiveOutOfLineUntilApplied) {
    auto c = LayoutConstraint::create();
    c->minimumWidth.set(1.0f);
    c->clearCache();  // nothing pending: nothing to drop
    EXPECT_FALSE(c->hasPendingCache());
    Seen onOwner;
    c->setCachingIsEnabled(true);
    c->minimumWidth.set(2.0f);
    c->zIndex.set(5);
    EXPECT_EQ(c->minimumWidth.get(), 1.0f);
    EXPECT_EQ(c->minimumWidth.getCached(), 2.0f);
    EXPECT_EQ(*static_cast<const float*>(c->minimumWidth.getCachedObjectHandle()), 2.0f);
    // A listener added while a value is pending: the pending value stays.
    c->addEventListener(AbstractProperty::CHANGE_EVENT, onOwner.callback());
    c->minimumWidth.addEventListener(AbstractProperty::CHANGE_EVENT, FunctionEventCallback::create([](auto&) {}));
    EXPECT_EQ(c->minimumWidth.getCached(), 2.0f);
    c->applyCache();
    EXPECT_EQ(c->minimumWidth.get(), 2.0f);
    EXPECT_EQ(c->zIndex.get(), 5);
    ASSERT_EQ(onOwner.newValues.size(), 1u);  // the float change (zIndex is an int event)
    EXPECT_EQ(onOwner.oldValues[0], 1.0f);
    EXPECT_FALSE(c->hasPendingCache());
    // Restoring the current value drops a pending one.
    c->minimumWidth.set(6.0f);
    c->minimumWidth.set(2.0f);
    EXPECT_FALSE(c->minimumWidth.hasCachedValue());
    c->setCachingIsEnabled(false);
    EXPECT_EQ(c->minimumWidth.get(), 2.0f);
}

TEST_F(LeanPropertyTest, AnOwnerFarAwayIsKeptOutOfLine) {
    // A property that is not a member of its owner (the owner elsewhere on
    // the heap) still reaches it, and unregisters from it when it dies.
    auto owner = LayoutConstraint::create();
    size_t before = owner->getProperties().size();
    Seen onOwner;
    owner->addEventListener(AbstractProperty::CHANGE_EVENT, onOwner.callback());
    {
        auto loose = std::make_unique<Property<float>>(owner.get(), kLooseDefinition);
        EXPECT_EQ(loose->getOwner(), static_cast<PropertyOwner*>(owner.get()));
        EXPECT_EQ(loose->getName(), "loose");
        EXPECT_EQ(owner->getProperties().size(), before + 1);
        loose->set(4.0f);
        ASSERT_EQ(onOwner.newValues.size(), 1u);
        EXPECT_EQ(onOwner.original[0], loose.get());
        Property<float> orphan(nullptr, kLooseDefinition);
        orphan.set(1.0f);
        EXPECT_EQ(orphan.getOwner(), nullptr);
        EXPECT_EQ(orphan.get(), 1.0f);
    }
    EXPECT_EQ(owner->getProperties().size(), before);
}

TEST_F(LeanPropertyTest, PropertiesStaySmall) {
    // Many models hold dozens of properties: the lean layout is the point.
    EXPECT_LE(sizeof(Property<float>), 24u);
    EXPECT_LE(sizeof(Property<int>), 24u);
    EXPECT_LE(sizeof(Property<double>), 32u);
    EXPECT_LE(sizeof(EventDispatcher), 16u);
}
