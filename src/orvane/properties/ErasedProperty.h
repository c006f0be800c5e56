#pragma once
#include "orvane/host/core/AbstractProperty.h"

namespace orvane {

// A property whose value is stored in an erased type E: bool, int, unsigned,
// float, double, std::shared_ptr<void> or std::weak_ptr<void>.
template <class E>
class ErasedProperty : public AbstractProperty {
public:
    ErasedProperty(PropertyOwner* owner, const PropertyDefinition& definition) : AbstractProperty(owner, definition) {}

    const void* getObjectHandle() const override { return &value_; }
    const void* getCachedObjectHandle() const override { return &cached_; }

    void clearCache() override {
        AbstractProperty::clearCache();
        cached_ = E();
    }
    void applyCache() override {
        if (!hasCachedValue()) return;
        E pending = std::move(cached_);
        cached_ = E();
        setCachePending(false);
        this->setGenerically(&pending);
    }

protected:
    E value_{};
    E cached_{};
};

} // namespace orvane
