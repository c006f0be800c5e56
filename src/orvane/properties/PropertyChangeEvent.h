// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/core/PortableEvent.h"

#include <memory>

namespace orvane {

/// A property's change (or rejected change): old and new value, in the
/// property's event value type.
template <class V>
class PropertyChangeEvent : public PortableEvent {
public:
    PropertyChangeEvent(int type, V oldValue, V newValue)
        : PortableEvent(type), oldValue_(std::move(oldValue)), newValue_(std::move(newValue)) {}
    static std::shared_ptr<PropertyChangeEvent<V>> create(int type, V oldValue, V newValue) {
        return std::make_shared<PropertyChangeEvent<V>>(type, std::move(oldValue), std::move(newValue));
    }

    const V& getOldValue() const { return oldValue_; }
    const V& getNewValue() const { return newValue_; }
    virtual const void* getOldObjectHandle() const { return &oldValue_; }
    virtual const void* getNewObjectHandle() const { return &newValue_; }

private:
    V oldValue_;
    V newValue_;
};

} // namespace orvane
