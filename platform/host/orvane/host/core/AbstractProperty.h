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
/// the dispatcher's virtual table and word. The word points at the property's
/// slot, a record shared by the same property of every owner of one class (its
/// definition and the owner's distance from it), and carries the has-a-value
/// flag; listeners, links and a pending cached value move the slot pointer
/// into the extra block, made on first use.
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

    /// What every owner of one class shares about one of its properties: the
    /// definition and where the owner lies (its address minus the property's;
    /// 0 when the owner is kept in the extra block, or there is none).
    struct alignas(16) Slot {
        const PropertyDefinition* definition = nullptr;
        intptr_t ownerOffset = 0;
    };

    PropertyOwner* getOwner() const {
        const Slot* s = slot();
        if (s->ownerOffset != 0)
            return reinterpret_cast<PropertyOwner*>(reinterpret_cast<intptr_t>(this) + s->ownerOffset);
        const auto* x = static_cast<const PropertyExtra*>(extraOrNull());
        return x ? x->owner : nullptr;
    }
    const PropertyDefinition& getDefinition() const { return *slot()->definition; }
    const std::string_view getName() const { return getDefinition().name; }
    int getValueType() const { return getDefinition().valueType; }

    bool hasValue() const { return ownFlag(); }
    bool hasCachedValue() const {
        const auto* x = static_cast<const PropertyExtra*>(extraOrNull());
        return x && x->cachePending;
    }
    /// Forgets that a value was set (the value itself stays).
    void clearHasValue() { setOwnFlag(false); }

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
    bool keepsPayload() const final { return true; }
    bool ownerCachingIsEnabled() const;

    void markHasValue() { setOwnFlag(true); }
    void setCachePending(bool p) {
        if (p)
            static_cast<PropertyExtra&>(extra()).cachePending = true;
        else if (auto* x = static_cast<PropertyExtra*>(extraOrNull()))
            x->cachePending = false;
    }

    /// What only some properties need, out of line: a slot of their own with
    /// the owner when no shared slot fits (an owner far away or keeping its
    /// own list, or none), and the pending cached value (of the erased type).
    struct PropertyExtra : Extra {
        Slot slot;
        PropertyOwner* owner = nullptr;
        std::shared_ptr<void> cached;
        bool cachePending = false;
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
    const Slot* slot() const { return static_cast<const Slot*>(payload()); }
};

} // namespace orvane
