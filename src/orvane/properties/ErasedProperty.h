// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/core/AbstractProperty.h"

namespace orvane {

/// A property whose value is stored in an erased type E: bool, int, unsigned,
/// float, double, std::shared_ptr<void> or std::weak_ptr<void>.
template <class E>
class ErasedProperty : public AbstractProperty {
public:
    ErasedProperty(PropertyOwner* owner, const PropertyDefinition& definition) : AbstractProperty(owner, definition) {}

    const void* getObjectHandle() const override { return &value_; }
    const void* getCachedObjectHandle() const override {
        static const E none{};
        const E* c = cachedSlotOrNull<E>();
        return c ? c : &none;
    }

    void clearCache() override {
        AbstractProperty::clearCache();
        if (E* c = cachedSlotOrNull<E>()) *c = E();
    }
    void applyCache() override {
        if (!hasCachedValue()) return;
        E& slot = cachedSlot<E>();
        E pending = std::move(slot);
        slot = E();
        setCachePending(false);
        this->setGenerically(&pending);
    }

protected:
    // The pending value (held out of line: only while the owner caches).
    E& cached() { return cachedSlot<E>(); }
    const E& cachedValue() const {
        static const E none{};
        const E* c = cachedSlotOrNull<E>();
        return c ? *c : none;
    }

    E value_{};
};

} // namespace orvane
