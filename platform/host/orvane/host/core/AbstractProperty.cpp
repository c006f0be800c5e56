// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/core/AbstractProperty.h"

#include "orvane/host/core/PropertyOwner.h"

namespace orvane {

AbstractProperty::AbstractProperty(PropertyOwner* owner, const PropertyDefinition& definition) {
    // Owners of one class share the slot; the rest keep theirs in the extra block.
    if (owner)
        if (const Slot* shared = owner->registerPropertySlot(this, definition)) {
            setPayload(shared);
            return;
        }
    auto& x = static_cast<PropertyExtra&>(extra());
    x.slot.definition = &definition;
    x.owner = owner;
    setPayload(&x.slot);
}

AbstractProperty::~AbstractProperty() {
    if (PropertyOwner* owner = getOwner()) owner->unregisterProperty(this);
    // The dispatcher's destructor reads a word without an extra block as a
    // forwarding parent.
    setPayload(nullptr);
    setOwnFlag(false);
    setOwnFlag2(false);
}

void AbstractProperty::dispatchEvent(const std::shared_ptr<PortableEvent>& event) {
    if (!event || !getDispatchIsEnabled()) return;
    if (!event->getOriginalSource()) event->setOriginalSource(this);
    EventDispatcher* previous = event->getCurrentSource();
    event->setCurrentSource(this);
    deliverToListeners(event);
    // A property's forwarding parents live in its extra block only.
    if (extraOrNull()) forwardToParents(event);
    // The owner receives every event of its properties.
    if (PropertyOwner* owner = getOwner()) owner->receiveForwardedEvent(event);
    event->setCurrentSource(previous ? previous : this);
}

void AbstractProperty::clearCache() { setCachePending(false); }

void AbstractProperty::changeEventHandler(const std::shared_ptr<PortableEvent>& event) { dispatchEvent(event); }

bool AbstractProperty::addGenerically(const std::shared_ptr<Wrappable>&) { return false; }

bool AbstractProperty::appendElementGenerically(const void*) { return false; }

bool AbstractProperty::assignElementsGenerically(const void*, size_t) { return false; }

void AbstractProperty::updatePropertyChangeEventTree(EventDispatcher* oldChild, EventDispatcher* newChild) {
    // One-way links: the property unlinks its value itself (here and when it
    // dies), so it keeps no record of the child and needs no extra block.
    if (oldChild == newChild) return;
    if (oldChild && oldChild->forwardsEvents()) removeOneWayForwardTarget(oldChild, this);
    if (newChild && newChild->forwardsEvents()) addOneWayForwardTarget(newChild, this);
}

EventDispatcher* AbstractProperty::implicitParent() const { return getOwner(); }

bool AbstractProperty::ownerCachingIsEnabled() const {
    PropertyOwner* owner = getOwner();
    return owner && owner->getCachingIsEnabled();
}

} // namespace orvane
