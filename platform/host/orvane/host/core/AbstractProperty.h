// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/EventDispatcher.h"
#include "orvane/host/core/PropertyDefinition.h"

#include <functional>
#include <memory>
#include <string>

namespace orvane {

class PropertyOwner;

/// Root of typed properties. A property belongs to an owner (normally a model),
/// which registers it; the property's events reach the owner's listeners.
///
/// A property is kept small, since models hold many: besides its value it is
/// the dispatcher's virtual table and word (which holds the definition until
/// listeners, links or a pending cached value need the extra block) and one
/// more word for the flags and the owner, kept as its distance from the
/// property (the owner holds its properties as members).
///
/// Erased access, used by generic code (the document parser and serializer, the
/// cache): a property stores an erased value of one of the types bool, int,
/// unsigned, float, double, shared_ptr<void> or weak_ptr<void>. setGenerically
/// and the handles take and give a pointer to a value of that erased type.
/// Object values cross the erased interface as shared_ptr<Wrappable>, strings as
/// shared_ptr<const std::string>, through the typed helpers below.
class ORVANE_HOST_EXPORT AbstractProperty : public EventDispatcher {
public:
    /// Host event ids (kept well away from the library's 20000-20055).
    static constexpr int CHANGE_EVENT = 1;
    static constexpr int INVALID_VALUE = 2;

    AbstractProperty(PropertyOwner* owner, const PropertyDefinition& definition);
    ~AbstractProperty() override;

    PropertyOwner* getOwner() const {
        const int32_t steps = static_cast<int32_t>(aux_) >> 2;
        if (steps == 0) return nullptr;
        if (steps == kFarOwner) return static_cast<PropertyExtra*>(extraOrNull())->owner;
        return reinterpret_cast<PropertyOwner*>(reinterpret_cast<intptr_t>(this) + static_cast<intptr_t>(steps) * 8);
    }
    const PropertyDefinition& getDefinition() const { return *static_cast<const PropertyDefinition*>(payload()); }
    const std::string_view getName() const { return getDefinition().name; }
    int getValueType() const { return getDefinition().valueType; }

    bool hasValue() const { return (aux_ & kHasValue) != 0; }
    bool hasCachedValue() const { return (aux_ & kCachePending) != 0; }
    /// Forgets that a value was set (the value itself stays).
    void clearHasValue() { aux_ &= ~kHasValue; }

    void dispatchEvent(const std::shared_ptr<PortableEvent>& event) override;

    /// Drops the pending cached value.
    void clearCache() override;
    virtual void initialize() {}
    /// Sets the pending cached value through the normal path (validation and
    /// events). The caller switches the owner's caching off around the call.
    virtual void applyCache() = 0;

    virtual void setGenerically(const void* erasedValue) = 0;
    virtual void dispatchPropertyChangeEvent(const void* oldValue, const void* newValue, int type) = 0;
    virtual const void* getObjectHandle() const = 0;
    virtual const void* getCachedObjectHandle() const = 0;
    virtual void changeEventHandler(const std::shared_ptr<PortableEvent>& event);
    virtual const void* getPropertyHandle() const { return this; }
    virtual bool operator==(const AbstractProperty& other) const { return this == &other; }

    /// Object-valued properties (shared or weak): set from / read as Wrappable.
    /// Returns false when the object is not of the property's type.
    virtual bool setObjectGenerically(const std::shared_ptr<Wrappable>&) { return false; }
    virtual std::shared_ptr<Wrappable> getObjectGenerically() const { return nullptr; }
    /// String properties.
    virtual bool setStringGenerically(const std::shared_ptr<const std::string>&) { return false; }
    virtual std::shared_ptr<const std::string> getStringGenerically() const { return nullptr; }

    /// Vector properties. Elements cross as pointers to: bool, int, unsigned,
    /// float or double (by the element value type), shared_ptr<const string> for
    /// strings, shared_ptr<Wrappable> for objects.
    virtual bool isVectorProperty() const { return false; }
    /// Appends a model to the property's vector (created on first use).
    virtual bool addGenerically(const std::shared_ptr<Wrappable>& model);
    virtual bool appendElementGenerically(const void* element);
    /// Replaces the whole list with `count` elements read from `elements`, an
    /// array of the element's erased type (bool, int, unsigned, float or
    /// double; shared_ptr<const string> for strings). Listeners see the same
    /// events as a clear followed by one append per element; with none, the
    /// list is filled in one step. Returns false when the property does not
    /// take such a list (it is then left unchanged).
    virtual bool assignElementsGenerically(const void* elements, size_t count);
    virtual void clearVectorGenerically() {}
    virtual size_t getVectorSizeGenerically() const { return 0; }
    virtual void visitElementsGenerically(const std::function<void(const void* element)>&) const {}

protected:
    /// Re-links change-event forwarding from a child (model or vector) to this
    /// property: the old child stops forwarding, the new one starts.
    void updatePropertyChangeEventTree(EventDispatcher* oldChild, EventDispatcher* newChild);
    EventDispatcher* implicitParent() const override;
    bool ownerCachingIsEnabled() const;

    void markHasValue() { aux_ |= kHasValue; }
    void setCachePending(bool p) { aux_ = p ? aux_ | kCachePending : aux_ & ~kCachePending; }

    /// What only some properties need, out of line: the owner when it is not
    /// near, and the pending cached value (of the erased type).
    struct PropertyExtra : Extra {
        PropertyOwner* owner = nullptr;
        std::shared_ptr<void> cached;
    };
    /// Subclasses keep their out-of-line state in PropertyExtra.
    std::unique_ptr<Extra> makeExtra() const final { return std::make_unique<PropertyExtra>(); }
    /// The pending cached value's storage, created on first use.
    template <class E>
    E& cachedSlot() {
        auto& x = static_cast<PropertyExtra&>(extra());
        if (!x.cached) x.cached = std::make_shared<E>();
        return *static_cast<E*>(x.cached.get());
    }
    template <class E>
    E* cachedSlotOrNull() const {
        auto* x = static_cast<PropertyExtra*>(extraOrNull());
        return x && x->cached ? static_cast<E*>(x->cached.get()) : nullptr;
    }

private:
    static constexpr uint32_t kHasValue = 1, kCachePending = 2;
    static constexpr int32_t kFarOwner = -(int32_t(1) << 29);
    /// Bit 0: has a value; bit 1: a cached value is pending; bits 2-31 (signed):
    /// the owner's distance from this property in 8-byte steps, 0 for none,
    /// kFarOwner when it is kept in the extra block.
    uint32_t aux_ = 0;
};

} // namespace orvane
