// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/core/AbstractProperty.h"

#include <type_traits>
#include <utility>

namespace orvane {

/// A property whose value is stored in an erased type E: bool, int, unsigned,
/// float, double, std::shared_ptr<void> or std::weak_ptr<void>.
template <class E>
class ErasedProperty : public AbstractProperty {
public:
    ErasedProperty(PropertyOwner* owner, const PropertyDefinition& definition) : AbstractProperty(owner, definition) {}

    const void* getObjectHandle() const override {
        if constexpr (kInWord) {
            // A constant holding the current value: read it right away.
            static constexpr bool kTrue = true, kFalse = false;
            return value() ? &kTrue : &kFalse;
        } else {
            return &value_;
        }
    }
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

    /// The current value (a bool is kept in a flag bit of the dispatcher's
    /// word, so that the property is no larger than the dispatcher).
    decltype(auto) value() const {
        if constexpr (kInWord)
            return ownFlag2();
        else
            return (value_);
    }
    void store(E v) {
        if constexpr (kInWord)
            setOwnFlag2(v);
        else
            value_ = std::move(v);
    }
    E take() {
        if constexpr (kInWord)
            return ownFlag2();
        else
            return std::move(value_);
    }

private:
    static constexpr bool kInWord = std::is_same_v<E, bool>;
    struct NoValue {};
    [[no_unique_address]] std::conditional_t<kInWord, NoValue, E> value_{};
};

} // namespace orvane
