// SPDX-License-Identifier: Apache-2.0
// Properties keep listeners, forwarding links and pending cached values out of
// line, created on first use: a property that gets them late must behave as
// one that had them from the start.
#include "orvane/host/core/BaseModel.h"
#include "orvane/host/document/PropertyTextCodec.h"
#include "orvane/layout/LayoutConstraint.h"
#include "orvane/layout/LayoutProxy.h"
#include "orvane/package/OrvaneUIPackage.h"
#include "orvane/prompts/ComboBoxModel.h"
#include "orvane/prompts/RangeSliderModel.h"
#include "orvane/prompts/TextFieldModel.h"
#include "orvane/properties/EventCallback.h"
#include "orvane/properties/MonitoredVector.h"
#include "orvane/properties/NumericRangeValidator.h"
#include "orvane/properties/Property.h"
#include "orvane/properties/PropertyChangeEvent.h"
#include "orvane/properties/VectorChangeEvent.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
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

// A property links the model it holds without a record of its own: it
// unlinks the model itself, also when it dies before the model.
TEST_F(LeanPropertyTest, AHeldModelForwardsToEachHolderWhileItLives) {
    auto shared = LayoutConstraint::create();
    auto a = LayoutProxy::create(), b = LayoutProxy::create();
    a->defaultConstraint.set(shared);
    b->defaultConstraint.set(shared);
    Seen onA, onB;
    a->addEventListener(AbstractProperty::CHANGE_EVENT, onA.callback());
    b->defaultConstraint.addEventListener(AbstractProperty::CHANGE_EVENT, onB.callback());
    shared->minimumWidth.set(1.0f);
    EXPECT_EQ(onA.newValues, std::vector<float>{1.0f});
    EXPECT_EQ(onB.newValues, std::vector<float>{1.0f});
    EXPECT_EQ(shared->getForwardTargetCount(), 2u);
    a.reset();
    EXPECT_EQ(shared->getForwardTargetCount(), 1u);
    shared->minimumWidth.set(2.0f);
    EXPECT_EQ(onB.newValues.back(), 2.0f);
    b.reset();
    EXPECT_EQ(shared->getForwardTargetCount(), 0u);
    shared->minimumWidth.set(3.0f);  // nothing left to reach
    EXPECT_EQ(onA.newValues.size(), 1u);
    EXPECT_EQ(onB.newValues.size(), 2u);
}

// A bool keeps its value beside the property's flags: set, has-a-value,
// dispatch and the move to the extra block must not disturb one another.
TEST_F(LeanPropertyTest, ABoolKeepsItsValueBesideItsFlags) {
    auto c = LayoutConstraint::create();
    Property<bool>& p = c->lockUserWidth;
    EXPECT_TRUE(c->considerChildrenForSizeCalculations.get());  // a default of true
    EXPECT_FALSE(c->considerChildrenForSizeCalculations.hasValue());
    p.set(true);
    p.clearHasValue();
    EXPECT_TRUE(p.get());
    EXPECT_TRUE(*static_cast<const bool*>(p.getObjectHandle()));
    p.setDispatchIsEnabled(false);
    p.set(false);
    p.setDispatchIsEnabled(true);
    EXPECT_FALSE(p.get());
    EXPECT_TRUE(p.hasValue());
    std::vector<bool> seen;
    p.addEventListener(AbstractProperty::CHANGE_EVENT, FunctionEventCallback::create([&](auto& e) {
                           seen.push_back(std::static_pointer_cast<PropertyChangeEvent<bool>>(e)->getNewValue());
                       }));
    EXPECT_FALSE(p.get());  // moved to the extra block with the listener
    EXPECT_TRUE(p.hasValue());
    p.set(true);
    p.set(true);
    c->setCachingIsEnabled(true);
    p.set(false);
    EXPECT_TRUE(p.get());
    EXPECT_FALSE(p.getCached());
    c->applyCache();
    c->setCachingIsEnabled(false);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
    EXPECT_FALSE(*static_cast<const bool*>(p.getObjectHandle()));
}

// The properties of a base class sit at other distances from the owner in
// each subclass: each owner must still be reached from its own.
TEST_F(LeanPropertyTest, PropertiesOfABaseClassReachTheirOwnerInEverySubclass) {
    std::vector<std::shared_ptr<PromptModel>> models = {TextFieldModel::create(), ComboBoxModel::create(),
                                                        RangeSliderModel::create(), TextFieldModel::create()};
    std::vector<int> heard(models.size(), 0);
    for (size_t i = 0; i < models.size(); ++i) {
        for (AbstractProperty* p : models[i]->getProperties())
            EXPECT_EQ(p->getOwner(), static_cast<PropertyOwner*>(models[i].get())) << p->getName();
        EXPECT_EQ(models[i]->getProperty("styleChain"), &models[i]->styleChain);
        models[i]->addEventListener(AbstractProperty::CHANGE_EVENT,
                                    FunctionEventCallback::create([&heard, i](auto&) { ++heard[i]; }));
    }
    models[2]->styleChain.set(StyleChain::create());
    EXPECT_EQ(heard, (std::vector<int>{0, 0, 1, 0}));
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

TEST_F(LeanPropertyTest, OwnersOfOneClassShareTheirPropertyListButStayApart) {
    // Owners of one class list the same properties, each its own members, in
    // declaration order; a loose property on one owner leaves the others alone.
    std::vector<std::shared_ptr<LayoutConstraint>> owners;
    for (int i = 0; i < 3; ++i) owners.push_back(LayoutConstraint::create());
    auto first = owners[0]->getProperties();
    ASSERT_FALSE(first.empty());
    for (const auto& o : owners) {
        auto list = o->getProperties();
        ASSERT_EQ(list.size(), first.size());
        for (size_t i = 0; i < list.size(); ++i) {
            EXPECT_EQ(list[i]->getName(), first[i]->getName());
            EXPECT_EQ(list[i]->getOwner(), static_cast<PropertyOwner*>(o.get()));
            EXPECT_EQ(o->getPropertyAtIndex(i), list[i]);
        }
        EXPECT_EQ(o->getProperty("minimumWidth"), &o->minimumWidth);
        EXPECT_EQ(o->getPropertyAtIndex(list.size()), nullptr);
        EXPECT_THROW(list.at(list.size()), std::out_of_range);
    }
    // Iteration, the standard algorithms and a copy into a vector agree.
    std::vector<AbstractProperty*> copy = owners[1]->getProperties();
    ASSERT_EQ(copy.size(), first.size());
    auto list = owners[1]->getProperties();
    EXPECT_TRUE(std::equal(list.begin(), list.end(), copy.begin()));
    EXPECT_EQ(std::find(list.begin(), list.end(), &owners[1]->zIndex) - list.begin(),
              std::find(copy.begin(), copy.end(), &owners[1]->zIndex) - copy.begin());

    {
        auto a = std::make_unique<Property<float>>(owners[1].get(), kLooseDefinition);
        auto b = std::make_unique<Property<float>>(owners[1].get(), kLooseDefinition);
        EXPECT_EQ(owners[1]->getProperties().size(), first.size() + 2);
        EXPECT_EQ(owners[1]->getProperties().back(), b.get());
        // Removed out of order: the first loose one goes, the second stays last.
        a.reset();
        EXPECT_EQ(owners[1]->getProperties().size(), first.size() + 1);
        EXPECT_EQ(owners[1]->getProperties().back(), b.get());
        EXPECT_EQ(owners[0]->getProperties().size(), first.size());
        EXPECT_EQ(owners[2]->getProperties().size(), first.size());
        // A model made now still lists only its own members.
        auto later = LayoutConstraint::create();
        EXPECT_EQ(later->getProperties().size(), first.size());
        EXPECT_EQ(later->getProperties()[0]->getOwner(), static_cast<PropertyOwner*>(later.get()));
    }
    EXPECT_EQ(owners[1]->getProperties().size(), first.size());
    for (size_t i = 0; i < first.size(); ++i)
        EXPECT_EQ(owners[1]->getProperties()[i]->getName(), first[i]->getName());
    // Caching works through the shared list as through a vector.
    owners[2]->setCachingIsEnabled(true);
    owners[2]->minimumWidth.set(3.0f);
    EXPECT_TRUE(owners[2]->hasPendingCache());
    EXPECT_FALSE(owners[0]->hasPendingCache());
    owners[2]->applyCache();
    owners[2]->setCachingIsEnabled(false);
    EXPECT_EQ(owners[2]->minimumWidth.get(), 3.0f);
}

TEST_F(LeanPropertyTest, PropertiesStaySmall) {
    // Many models hold dozens of properties: the lean layout is the point.
    EXPECT_LE(sizeof(Property<float>), 24u);
    EXPECT_LE(sizeof(Property<int>), 24u);
    EXPECT_LE(sizeof(Property<double>), 24u);
    EXPECT_LE(sizeof(Property<bool>), 16u);
    EXPECT_LE((sizeof(Property<std::shared_ptr<Dimension>, true>)), 32u);
    EXPECT_LE((sizeof(Property<std::weak_ptr<LayoutProxy>, true>)), 32u);
    EXPECT_LE(sizeof(EventDispatcher), 16u);
}

// A list written as text replaces the whole list in one step when nobody
// listens, and shows listeners the same events as a clear and one append per
// element otherwise; a bad element leaves the list as it was.
TEST_F(LeanPropertyTest, AListWrittenAsTextKeepsItsEventsForListeners) {
    auto c = LayoutConstraint::create();
    auto& weights = c->responsiveWeights;
    std::string error;

    // No list yet and no listener: the list arrives whole.
    ASSERT_TRUE(PropertyTextCodec::setFromText(weights, "1 2,3", nullptr, error)) << error;
    auto list = weights.get();
    ASSERT_TRUE(list);
    EXPECT_EQ(list->items(), (std::vector<float>{1, 2, 3}));
    EXPECT_TRUE(weights.hasValue());

    // An existing list is refilled in place, so holders of it see the change.
    ASSERT_TRUE(PropertyTextCodec::setFromText(weights, "4", nullptr, error)) << error;
    EXPECT_EQ(weights.get(), list);
    EXPECT_EQ(list->items(), std::vector<float>{4});

    // A listener added late, on the owner: one event for the clear, one per
    // element, in order.
    std::vector<std::vector<float>> added, deleted;
    int changes = 0;
    c->addEventListener(AbstractMonitoredVector::VECTOR_CHANGE_EVENT, FunctionEventCallback::create([&](auto& e) {
                            auto ev = std::dynamic_pointer_cast<VectorChangeEvent<float>>(e);
                            ASSERT_TRUE(ev);
                            added.push_back(ev->getAdditions());
                            deleted.push_back(ev->getDeletions());
                        }));
    c->addEventListener(AbstractProperty::CHANGE_EVENT, FunctionEventCallback::create([&](auto&) { ++changes; }));
    ASSERT_TRUE(PropertyTextCodec::setFromText(weights, "5 6", nullptr, error)) << error;
    EXPECT_EQ(list->items(), (std::vector<float>{5, 6}));
    ASSERT_EQ(added.size(), 3u);
    EXPECT_EQ(deleted[0], std::vector<float>{4});
    EXPECT_TRUE(added[0].empty());
    EXPECT_EQ(added[1], std::vector<float>{5});
    EXPECT_EQ(added[2], std::vector<float>{6});
    EXPECT_EQ(changes, 0);

    // A bad element: an error, the list and the listeners untouched.
    EXPECT_FALSE(PropertyTextCodec::setFromText(weights, "7 x 8", nullptr, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(list->items(), (std::vector<float>{5, 6}));
    EXPECT_EQ(added.size(), 3u);

    // A property with no list yet but a listener: the new list is announced,
    // then each element.
    auto d = LayoutConstraint::create();
    int dChanges = 0;
    size_t dAdded = 0;
    d->addEventListener(AbstractProperty::CHANGE_EVENT, FunctionEventCallback::create([&](auto&) { ++dChanges; }));
    d->addEventListener(AbstractMonitoredVector::VECTOR_CHANGE_EVENT,
                        FunctionEventCallback::create([&](auto&) { ++dAdded; }));
    ASSERT_TRUE(PropertyTextCodec::setFromText(d->responsiveWeights, "1 2", nullptr, error)) << error;
    EXPECT_TRUE(d->responsiveWeights.get()->hasForwardTarget(&d->responsiveWeights));
    EXPECT_EQ(dChanges, 1);
    EXPECT_EQ(dAdded, 2u);
    EXPECT_EQ(d->responsiveWeights.get()->items(), (std::vector<float>{1, 2}));

    // An empty text gives an empty list, not none.
    auto e = LayoutConstraint::create();
    ASSERT_TRUE(PropertyTextCodec::setFromText(e->responsiveWeights, " ", nullptr, error)) << error;
    ASSERT_TRUE(e->responsiveWeights.get());
    EXPECT_TRUE(e->responsiveWeights.get()->empty());

    // Lists of models are not written as text.
    auto proxy = LayoutProxy::create();
    float one = 1.0f;
    EXPECT_FALSE(proxy->children.assignElementsGenerically(&one, 1));
}

// While caching holds sets back, a list written as text is held back too and
// arrives whole when the cache is applied.
TEST_F(LeanPropertyTest, AListWrittenAsTextWaitsForTheCache) {
    auto c = LayoutConstraint::create();
    std::string error;
    c->setCachingIsEnabled(true);
    ASSERT_TRUE(PropertyTextCodec::setFromText(c->responsiveWeights, "1 2", nullptr, error)) << error;
    EXPECT_FALSE(c->responsiveWeights.get());
    c->applyCache();
    c->setCachingIsEnabled(false);
    ASSERT_TRUE(c->responsiveWeights.get());
    EXPECT_EQ(c->responsiveWeights.get()->items(), (std::vector<float>{1, 2}));
}

// Handing a whole list over keeps the list object and shows listeners a clear
// and one append per element.
TEST_F(LeanPropertyTest, AWholeListHandedOverKeepsTheListAndItsEvents) {
    auto c = LayoutConstraint::create();
    const float first[] = {1, 2};
    ASSERT_TRUE(c->responsiveWeights.assignElementsGenerically(first, 2));
    auto list = c->responsiveWeights.get();
    ASSERT_TRUE(list);
    std::vector<size_t> added, deleted;
    list->addEventListener(AbstractMonitoredVector::VECTOR_CHANGE_EVENT, FunctionEventCallback::create([&](auto& e) {
                               auto ev = std::dynamic_pointer_cast<VectorChangeEvent<float>>(e);
                               ASSERT_TRUE(ev);
                               added.push_back(ev->getAdditions().size());
                               deleted.push_back(ev->getDeletions().size());
                           }));
    const float next[] = {3, 4, 5};
    ASSERT_TRUE(c->responsiveWeights.assignElementsGenerically(next, 3));
    EXPECT_EQ(c->responsiveWeights.get(), list);
    EXPECT_EQ(list->items(), (std::vector<float>{3, 4, 5}));
    EXPECT_EQ(added, (std::vector<size_t>{0, 1, 1, 1}));
    EXPECT_EQ(deleted, (std::vector<size_t>{2, 0, 0, 0}));
}
