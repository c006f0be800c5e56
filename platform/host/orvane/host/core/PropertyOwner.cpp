// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/core/PropertyOwner.h"

#include "orvane/host/core/AbstractProperty.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <stdexcept>

namespace orvane {

// One step of a registration sequence: the distance of a property from its
// owner and its definition, after the steps of the parent. Owners of one class
// take the same path from the root, so an owner only points at the node it
// has reached, and each property at the node of its own step: the node is the
// property's shared slot. Nodes live as long as the program; their number is
// bounded by the classes and their properties, and capped against layouts
// that never repeat.
// Aligned for the property's word, which keeps two flag bits beside it.
struct alignas(32) PropertyOwner::Layout : AbstractProperty::Slot {
    int32_t offset = 0;
    uint32_t count = 0;
    const Layout* parent = nullptr;
    std::atomic<Layout*> firstChild{nullptr};
    Layout* sibling = nullptr;   // set before the node is published
    mutable std::atomic<const int32_t*> offsets{nullptr};   // every distance, made on first use

    static Layout* root() {
        static Layout r;
        return &r;
    }

    // Properties are members: far closer than this to their owner.
    static constexpr intptr_t kMaxMemberDistance = intptr_t(1) << 20;
    static constexpr size_t kMaxNodes = size_t(1) << 16;

    /// The node after this one for a property at that distance; null when
    /// the distance is no member's or the cap is reached.
    Layout* next(intptr_t distance, const PropertyDefinition* def) {
        if (distance == 0 || distance <= -kMaxMemberDistance || distance >= kMaxMemberDistance) return nullptr;
        const auto d = static_cast<int32_t>(distance);
        for (Layout* c = firstChild.load(std::memory_order_acquire); c; c = c->sibling)
            if (c->offset == d && c->definition == def) return c;
        static std::mutex mutex;
        static size_t made = 0;
        std::lock_guard<std::mutex> lock(mutex);
        for (Layout* c = firstChild.load(std::memory_order_acquire); c; c = c->sibling)
            if (c->offset == d && c->definition == def) return c;
        if (made >= kMaxNodes) return nullptr;
        ++made;
        auto* c = new Layout;
        c->definition = def;
        c->ownerOffset = -distance;
        c->offset = d;
        c->count = count + 1;
        c->parent = this;
        c->sibling = firstChild.load(std::memory_order_relaxed);
        firstChild.store(c, std::memory_order_release);
        return c;
    }

    const int32_t* allOffsets() const {
        if (const int32_t* o = offsets.load(std::memory_order_acquire)) return o;
        auto* built = new int32_t[count];
        uint32_t i = count;
        for (const Layout* n = this; n->count > 0; n = n->parent) built[--i] = n->offset;
        const int32_t* expected = nullptr;
        if (!offsets.compare_exchange_strong(expected, built, std::memory_order_acq_rel)) {
            delete[] built;
            return expected;
        }
        return built;
    }
};

namespace {
constexpr uintptr_t kOwned = 1;
} // namespace

PropertyOwner::~PropertyOwner() {
    if (list_ & kOwned) delete reinterpret_cast<std::vector<AbstractProperty*>*>(list_ & ~kOwned);
}

AbstractProperty* PropertyOwner::PropertyList::at(size_t i) const {
    if (i >= count_) throw std::out_of_range("property index out of range");
    return (*this)[i];
}

std::vector<AbstractProperty*>& PropertyOwner::ownList() {
    if (list_ & kOwned) return *reinterpret_cast<std::vector<AbstractProperty*>*>(list_ & ~kOwned);
    auto* own = new std::vector<AbstractProperty*>(getProperties());
    list_ = reinterpret_cast<uintptr_t>(own) | kOwned;
    return *own;
}

void PropertyOwner::registerProperty(AbstractProperty* property) {
    if (property) registerPropertySlot(property, property->getDefinition());
}

const AbstractProperty::Slot* PropertyOwner::registerPropertySlot(AbstractProperty* property,
                                                                  const PropertyDefinition& definition) {
    if (!property) return nullptr;
    if (!(list_ & kOwned)) {
        Layout* at = list_ ? reinterpret_cast<Layout*>(list_) : Layout::root();
        const intptr_t distance = reinterpret_cast<intptr_t>(property) - reinterpret_cast<intptr_t>(this);
        if (Layout* next = at->next(distance, &definition)) {
            list_ = reinterpret_cast<uintptr_t>(next);
            return next;
        }
    }
    ownList().push_back(property);
    return nullptr;
}

void PropertyOwner::unregisterProperty(AbstractProperty* property) {
    if (!property || !list_) return;
    if (!(list_ & kOwned)) {
        // Properties die in reverse order of construction: the last step.
        const auto* at = reinterpret_cast<const Layout*>(list_);
        const intptr_t distance = reinterpret_cast<intptr_t>(property) - reinterpret_cast<intptr_t>(this);
        if (at->count > 0 && at->offset == distance) {
            list_ = at->parent->count > 0 ? reinterpret_cast<uintptr_t>(at->parent) : 0;
            return;
        }
    }
    auto& own = ownList();
    for (size_t i = own.size(); i-- > 0;) {
        if (own[i] == property) {
            own.erase(own.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
    }
}

PropertyOwner::PropertyList PropertyOwner::getProperties() const {
    if (!list_) return PropertyList();
    if (list_ & kOwned) {
        const auto& own = *reinterpret_cast<const std::vector<AbstractProperty*>*>(list_ & ~kOwned);
        return PropertyList(own.data(), own.size());
    }
    const auto* at = reinterpret_cast<const Layout*>(list_);
    return PropertyList(reinterpret_cast<const char*>(this), at->allOffsets(), at->count);
}

AbstractProperty* PropertyOwner::getProperty(std::string_view nameOrAlias) const {
    for (AbstractProperty* p : getProperties())
        if (p->getDefinition().matchesName(nameOrAlias)) return p;
    return nullptr;
}

AbstractProperty* PropertyOwner::getPropertyAtIndex(size_t index) const {
    const auto all = getProperties();
    return index < all.size() ? all[index] : nullptr;
}

void PropertyOwner::applyCache() {
    // Keep this owner alive: listeners run while the values are applied.
    auto keepAlive = weak_from_this().lock();
    const bool caching = getCachingIsEnabled();
    EventDispatcher::setCachingIsEnabled(false);
    // Snapshot: listeners may not add properties, but be safe about it.
    std::vector<AbstractProperty*> pending;
    for (AbstractProperty* p : getProperties())
        if (p->hasCachedValue()) pending.push_back(p);
    for (AbstractProperty* p : pending) {
        const auto all = getProperties();
        if (std::find(all.begin(), all.end(), p) != all.end()) p->applyCache();
    }
    EventDispatcher::setCachingIsEnabled(caching);
}

void PropertyOwner::clearCache() {
    for (AbstractProperty* p : getProperties()) p->clearCache();
}

bool PropertyOwner::hasPendingCache() const {
    for (AbstractProperty* p : getProperties())
        if (p->hasCachedValue()) return true;
    return false;
}

void PropertyOwner::clearPropertyOverrides() {
    for (AbstractProperty* p : getProperties()) p->clearHasValue();
}

} // namespace orvane
