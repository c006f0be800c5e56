// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/core/EventDispatcher.h"
#include "orvane/host/input/Focusable.h"
#include "orvane/properties/EventCallback.h"
#include "orvane/properties/KeyListenerCallback.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orvane;

namespace {

struct Recorder : public virtual Wrappable {
    std::vector<int> seen;
    std::vector<EventDispatcher*> currentSources;
    std::vector<EventDispatcher*> originalSources;
    std::function<void()> onEvent;
    void handle(const std::shared_ptr<PortableEvent>& e) {
        seen.push_back(e->getType());
        currentSources.push_back(e->getCurrentSource());
        originalSources.push_back(e->getOriginalSource());
        if (onEvent) onEvent();
    }
    void other(const std::shared_ptr<PortableEvent>&) {}
};

struct FocusTarget : public Focusable {};

} // namespace

TEST(EventDispatcher, DeliversInRegistrationOrderOverASnapshot) {
    auto d = std::make_shared<EventDispatcher>();
    auto a = std::make_shared<Recorder>();
    auto b = std::make_shared<Recorder>();
    auto c = std::make_shared<Recorder>();
    std::vector<char> order;
    auto cbA = FunctionEventCallback::create([&](auto&) { order.push_back('a'); });
    auto cbB = EventCallback<Recorder>::create(b, &Recorder::handle);
    auto cbC = EventCallback<Recorder>::create(c, &Recorder::handle);
    d->addEventListener(7, cbA);
    d->addEventListener(7, cbB);
    // b removes c and adds a new listener while the event is delivered: the
    // running dispatch still reaches c (snapshot) but not the new listener.
    bool added = false;
    b->onEvent = [&] {
        d->removeEventListener(7, cbC);
        if (!added) {
            added = true;
            d->addEventListener(7, FunctionEventCallback::create([&](auto&) { order.push_back('n'); }));
        }
    };
    d->addEventListener(7, cbC);
    d->dispatchEvent(PortableEvent::create(7));
    EXPECT_EQ(order, std::vector<char>{'a'});
    EXPECT_EQ(b->seen.size(), 1u);
    EXPECT_EQ(c->seen.size(), 1u);
    EXPECT_EQ(d->getEventListenerCount(7), 3u);  // a, b, new
    order.clear();
    d->dispatchEvent(PortableEvent::create(7));
    EXPECT_EQ(order, (std::vector<char>{'a', 'n'}));
    EXPECT_EQ(c->seen.size(), 1u);
    // Other types do not reach these listeners.
    d->dispatchEvent(PortableEvent::create(8));
    EXPECT_EQ(b->seen.size(), 2u);
}

TEST(EventDispatcher, RemovalMatchesByEqualityAndExpiredCallbacksArePurged) {
    auto d = std::make_shared<EventDispatcher>();
    auto r = std::make_shared<Recorder>();
    d->addEventListener(1, EventCallback<Recorder>::create(r, &Recorder::handle));
    // A fresh callback with the same target and handler removes it.
    d->removeEventListener(1, EventCallback<Recorder>::create(r, &Recorder::handle));
    EXPECT_EQ(d->getEventListenerCount(1), 0u);
    // A different handler does not match.
    d->addEventListener(1, EventCallback<Recorder>::create(r, &Recorder::handle));
    d->removeEventListener(1, EventCallback<Recorder>::create(r, &Recorder::other));
    EXPECT_EQ(d->getEventListenerCount(1), 1u);

    {
        auto gone = std::make_shared<Recorder>();
        d->addEventListener(1, EventCallback<Recorder>::create(gone, &Recorder::handle));
    }
    EXPECT_EQ(d->getEventListenerCount(1), 2u);
    d->dispatchEvent(PortableEvent::create(1));
    EXPECT_EQ(r->seen.size(), 1u);
    EXPECT_EQ(d->getEventListenerCount(1), 1u);  // the expired one was removed
}

TEST(EventDispatcher, DispatchSwitchAndSourceChain) {
    auto child = std::make_shared<EventDispatcher>();
    auto parent = std::make_shared<EventDispatcher>();
    child->addForwardTarget(parent.get());
    auto r = std::make_shared<Recorder>();
    child->addEventListener(5, EventCallback<Recorder>::create(r, &Recorder::handle));
    parent->addEventListener(5, EventCallback<Recorder>::create(r, &Recorder::handle));
    EXPECT_TRUE(child->wouldDeliver(5));
    EXPECT_FALSE(child->wouldDeliver(6));

    child->dispatchEvent(PortableEvent::create(5));
    ASSERT_EQ(r->seen.size(), 2u);
    EXPECT_EQ(r->currentSources[0], child.get());
    EXPECT_EQ(r->currentSources[1], parent.get());
    EXPECT_EQ(r->originalSources[0], child.get());
    EXPECT_EQ(r->originalSources[1], child.get());

    child->setDispatchIsEnabled(false);
    child->dispatchEvent(PortableEvent::create(5));
    EXPECT_EQ(r->seen.size(), 2u);
    child->setDispatchIsEnabled(true);

    // Unlinking by destruction leaves no dangling forward target.
    parent.reset();
    child->dispatchEvent(PortableEvent::create(5));
    EXPECT_EQ(r->seen.size(), 3u);
}

TEST(EventDispatcher, ForwardingCycleStopsInsteadOfOverflowing) {
    auto a = std::make_shared<EventDispatcher>();
    auto b = std::make_shared<EventDispatcher>();
    a->addForwardTarget(b.get());
    b->addForwardTarget(a.get());
    int count = 0;
    a->addEventListener(1, FunctionEventCallback::create([&](auto&) { ++count; }));
    a->dispatchEvent(PortableEvent::create(1));
    EXPECT_GT(count, 1);
    EXPECT_LT(count, 1000);
}

// A dispatcher keeps a single link in place and moves to a list from the
// second on: every parent must be reached, in link order, whatever the number,
// and unlinking (in any order, or by destruction) must leave exactly the rest.
TEST(EventDispatcher, ForwardingReachesEveryParentAcrossLinkCountsAndUnlinkOrders) {
    for (int order = 0; order < 3; ++order) {
        auto child = std::make_shared<EventDispatcher>();
        std::vector<std::shared_ptr<EventDispatcher>> parents;
        std::vector<EventDispatcher*> reached;
        for (int i = 0; i < 3; ++i) {
            parents.push_back(std::make_shared<EventDispatcher>());
            EventDispatcher* p = parents.back().get();
            p->addEventListener(7, FunctionEventCallback::create([&reached, p](auto&) { reached.push_back(p); }));
        }
        for (size_t n = 1; n <= 3; ++n) {
            child->addForwardTarget(parents[n - 1].get());
            reached.clear();
            child->dispatchEvent(PortableEvent::create(7));
            ASSERT_EQ(reached.size(), n);
            for (size_t i = 0; i < n; ++i) EXPECT_EQ(reached[i], parents[i].get());
            EXPECT_EQ(child->getForwardTargetCount(), n);
        }
        // Unlink one parent: first, middle or last.
        const size_t gone = static_cast<size_t>(order);
        child->removeForwardTarget(parents[gone].get());
        EXPECT_FALSE(child->hasForwardTarget(parents[gone].get()));
        reached.clear();
        child->dispatchEvent(PortableEvent::create(7));
        ASSERT_EQ(reached.size(), 2u);
        for (auto* p : reached) EXPECT_NE(p, parents[gone].get());
        // A parent that dies unlinks itself; the child that dies unlinks from the rest.
        const size_t dies = gone == 0 ? 1 : 0;
        parents[dies].reset();
        reached.clear();
        child->dispatchEvent(PortableEvent::create(7));
        EXPECT_EQ(reached.size(), 1u);
        EXPECT_EQ(child->getForwardTargetCount(), 1u);
        child.reset();
        for (auto& p : parents)
            if (p) p->dispatchEvent(PortableEvent::create(7));   // no dangling child link
    }
    // A parent with several children: removing all sources unlinks each.
    auto parent = std::make_shared<EventDispatcher>();
    std::vector<std::shared_ptr<EventDispatcher>> kids;
    for (int i = 0; i < 4; ++i) {
        kids.push_back(std::make_shared<EventDispatcher>());
        kids.back()->addForwardTarget(parent.get());
    }
    parent->removeAllForwardSources();
    for (auto& k : kids) EXPECT_EQ(k->getForwardTargetCount(), 0u);

    // A single parent is kept in the child's word: the death of either side
    // unlinks the other.
    auto solo = std::make_shared<EventDispatcher>();
    auto holder = std::make_shared<EventDispatcher>();
    solo->addForwardTarget(holder.get());
    EXPECT_TRUE(solo->hasForwardTarget(holder.get()));
    holder.reset();
    EXPECT_EQ(solo->getForwardTargetCount(), 0u);
    solo->dispatchEvent(PortableEvent::create(7));  // no dangling parent
    holder = std::make_shared<EventDispatcher>();
    int heard = 0;
    holder->addEventListener(7, FunctionEventCallback::create([&](auto&) { ++heard; }));
    solo->addForwardTarget(holder.get());
    solo->dispatchEvent(PortableEvent::create(7));
    EXPECT_EQ(heard, 1);
    solo.reset();
    holder->removeAllForwardSources();  // no dangling child
    holder->dispatchEvent(PortableEvent::create(7));
    EXPECT_EQ(heard, 2);
}

TEST(KeyListenerCallback, CallsOnlyWithKeyboardFocusAndComparesByTargetHandlerAndFocus) {
    auto r = std::make_shared<Recorder>();
    auto focus = std::make_shared<FocusTarget>();
    auto other = std::make_shared<FocusTarget>();
    auto cb = KeyListenerCallback<Recorder>::create(r, focus, &Recorder::handle);
    (*cb)(PortableEvent::create(3));
    EXPECT_TRUE(r->seen.empty());  // swallowed: no focus
    FocusManager::setKeyboardFocus(focus);
    (*cb)(PortableEvent::create(3));
    EXPECT_EQ(r->seen.size(), 1u);
    FocusManager::setKeyboardFocus(nullptr);

    EXPECT_TRUE(*cb == *KeyListenerCallback<Recorder>::create(r, focus, &Recorder::handle));
    EXPECT_FALSE(*cb == *KeyListenerCallback<Recorder>::create(r, other, &Recorder::handle));
    EXPECT_FALSE(*cb == *EventCallback<Recorder>::create(r, &Recorder::handle));
    EXPECT_FALSE(*EventCallback<Recorder>::create(r, &Recorder::handle) == *cb);

    focus.reset();
    EXPECT_TRUE(cb->isExpired());
}

TEST(FocusManager, CallsTheFocusHooksInOrder) {
    struct Hooked : public Focusable {
        std::vector<std::string>* log;
        std::string name;
        void didGainKeyboardFocus() override { log->push_back(name + "+"); }
        void willLoseKeyboardFocus() override { log->push_back(name + "-"); }
    };
    std::vector<std::string> log;
    auto a = std::make_shared<Hooked>();
    a->log = &log;
    a->name = "a";
    auto b = std::make_shared<Hooked>();
    b->log = &log;
    b->name = "b";
    FocusManager::setKeyboardFocus(a);
    FocusManager::setKeyboardFocus(a);
    FocusManager::setKeyboardFocus(b);
    EXPECT_TRUE(b->hasKeyboardFocus());
    EXPECT_FALSE(a->hasKeyboardFocus());
    FocusManager::setKeyboardFocus(nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"a+", "a-", "b+", "b-"}));
}

// wouldDeliver finds a listener on any forwarding path, however far up and
// whichever parent of several carries it, and skips paths whose dispatch is off.
TEST(EventDispatcher, WouldDeliverSearchesEveryForwardingPath) {
    std::vector<std::shared_ptr<EventDispatcher>> chain;
    for (int i = 0; i < 6; ++i) chain.push_back(std::make_shared<EventDispatcher>());
    for (int i = 0; i + 1 < 6; ++i) chain[i]->addForwardTarget(chain[i + 1].get());
    auto side = std::make_shared<EventDispatcher>();
    auto sideTop = std::make_shared<EventDispatcher>();
    chain[2]->addForwardTarget(side.get());  // chain[2] has two parents
    side->addForwardTarget(sideTop.get());
    auto r = std::make_shared<Recorder>();

    EXPECT_FALSE(chain[0]->wouldDeliver(3));
    // A listener at the end of the second parent's branch.
    sideTop->addEventListener(3, EventCallback<Recorder>::create(r, &Recorder::handle));
    EXPECT_TRUE(chain[0]->wouldDeliver(3));
    EXPECT_FALSE(chain[3]->wouldDeliver(3));
    side->setDispatchIsEnabled(false);
    EXPECT_FALSE(chain[0]->wouldDeliver(3));
    // At the top of the first parent's branch.
    chain[5]->addEventListener(3, EventCallback<Recorder>::create(r, &Recorder::handle));
    EXPECT_TRUE(chain[0]->wouldDeliver(3));
    chain[4]->setDispatchIsEnabled(false);
    EXPECT_FALSE(chain[0]->wouldDeliver(3));
    side->setDispatchIsEnabled(true);
    EXPECT_TRUE(chain[0]->wouldDeliver(3));
    // What the answer promises, dispatch keeps.
    chain[0]->dispatchEvent(PortableEvent::create(3));
    EXPECT_EQ(r->seen.size(), 1u);
}
