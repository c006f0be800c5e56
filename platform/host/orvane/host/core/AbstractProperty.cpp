// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/core/AbstractProperty.h"

#include "orvane/host/core/PropertyOwner.h"

namespace orvane {

AbstractProperty::AbstractProperty(PropertyOwner* owner, const PropertyDefinition& definition) {
    setPayload(&definition);
    if (!owner) return;
    const intptr_t delta = reinterpret_cast<intptr_t>(owner) - reinterpret_cast<intptr_t>(this);
    int32_t steps = kFarOwner;
    if (delta != 0 && delta % 8 == 0 && delta / 8 > kFarOwner && delta / 8 < -static_cast<intptr_t>(kFarOwner))
        steps = static_cast<int32_t>(delta / 8);
    else
        static_cast<PropertyExtra&>(extra()).owner = owner;
    aux_ = (static_cast<uint32_t>(steps) << 2) | (aux_ & 3u);
    owner->registerProperty(this);
}

AbstractProperty::~AbstractProperty() {
    if (PropertyOwner* owner = getOwner()) owner->unregisterProperty(this);
}

void AbstractProperty::dispatchEvent(const std::shared_ptr<PortableEvent>& event) {
    if (!event || !getDispatchIsEnabled()) return;
    if (!event->getOriginalSource()) event->setOriginalSource(this);
    EventDispatcher* previous = event->getCurrentSource();
    event->setCurrentSource(this);
    deliverToListeners(event);
    forwardToParents(event);
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
    if (oldChild == newChild) return;
    if (oldChild && oldChild->forwardsEvents()) oldChild->removeForwardTarget(this);
    if (newChild && newChild->forwardsEvents()) newChild->addForwardTarget(this);
}

EventDispatcher* AbstractProperty::implicitParent() const { return getOwner(); }

bool AbstractProperty::ownerCachingIsEnabled() const {
    PropertyOwner* owner = getOwner();
    return owner && owner->getCachingIsEnabled();
}

} // namespace orvane
