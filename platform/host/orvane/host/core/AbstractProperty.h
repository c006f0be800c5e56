#pragma once
#include "orvane/host/core/EventDispatcher.h"
#include "orvane/host/core/PropertyDefinition.h"

#include <functional>
#include <memory>
#include <string>

namespace orvane {

class PropertyOwner;

// Root of typed properties. A property belongs to an owner (normally a model),
// which registers it; the property's events reach the owner's listeners.
//
// Erased access, used by generic code (the document parser and serializer, the
// cache): a property stores an erased value of one of the types bool, int,
// unsigned, float, double, shared_ptr<void> or weak_ptr<void>. setGenerically
// and the handles take and give a pointer to a value of that erased type.
// Object values cross the erased interface as shared_ptr<Wrappable>, strings as
// shared_ptr<const std::string>, through the typed helpers below.
class AbstractProperty : public EventDispatcher {
public:
    // Host event ids (kept well away from the library's 20000-20055).
    static constexpr int CHANGE_EVENT = 1;
    static constexpr int INVALID_VALUE = 2;

    AbstractProperty(PropertyOwner* owner, const PropertyDefinition& definition);
    ~AbstractProperty() override;

    PropertyOwner* getOwner() const { return owner_; }
    const PropertyDefinition& getDefinition() const { return *definition_; }
    const std::string_view getName() const { return definition_->name; }
    int getValueType() const { return definition_->valueType; }

    bool hasValue() const { return hasValue_; }
    bool hasCachedValue() const { return cachePending_; }
    // Forgets that a value was set (the value itself stays).
    void clearHasValue() { hasValue_ = false; }

    void dispatchEvent(const std::shared_ptr<PortableEvent>& event) override;

    // Drops the pending cached value.
    void clearCache() override;
    virtual void initialize() {}
    // Sets the pending cached value through the normal path (validation and
    // events). The caller switches the owner's caching off around the call.
    virtual void applyCache() = 0;

    virtual void setGenerically(const void* erasedValue) = 0;
    virtual void dispatchPropertyChangeEvent(const void* oldValue, const void* newValue, int type) = 0;
    virtual const void* getObjectHandle() const = 0;
    virtual const void* getCachedObjectHandle() const = 0;
    virtual void changeEventHandler(const std::shared_ptr<PortableEvent>& event);
    virtual const void* getPropertyHandle() const { return this; }
    virtual bool operator==(const AbstractProperty& other) const { return this == &other; }

    // Object-valued properties (shared or weak): set from / read as Wrappable.
    // Returns false when the object is not of the property's type.
    virtual bool setObjectGenerically(const std::shared_ptr<Wrappable>&) { return false; }
    virtual std::shared_ptr<Wrappable> getObjectGenerically() const { return nullptr; }
    // String properties.
    virtual bool setStringGenerically(const std::shared_ptr<const std::string>&) { return false; }
    virtual std::shared_ptr<const std::string> getStringGenerically() const { return nullptr; }

    // Vector properties. Elements cross as pointers to: bool, int, unsigned,
    // float or double (by the element value type), shared_ptr<const string> for
    // strings, shared_ptr<Wrappable> for objects.
    virtual bool isVectorProperty() const { return false; }
    // Appends a model to the property's vector (created on first use).
    virtual bool addGenerically(const std::shared_ptr<Wrappable>& model);
    virtual bool appendElementGenerically(const void* element);
    virtual void clearVectorGenerically() {}
    virtual size_t getVectorSizeGenerically() const { return 0; }
    virtual void visitElementsGenerically(const std::function<void(const void* element)>&) const {}

protected:
    // Re-links change-event forwarding from a child (model or vector) to this
    // property: the old child stops forwarding, the new one starts.
    void updatePropertyChangeEventTree(EventDispatcher* oldChild, EventDispatcher* newChild);
    EventDispatcher* implicitParent() const override;
    bool ownerCachingIsEnabled() const;

    void markHasValue() { hasValue_ = true; }
    void setCachePending(bool p) { cachePending_ = p; }

private:
    // The flags first: they can share the tail padding of the dispatcher base.
    bool hasValue_ = false;
    bool cachePending_ = false;
    PropertyOwner* owner_;
    const PropertyDefinition* definition_;
};

} // namespace orvane
