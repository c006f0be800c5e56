#include "orvane/host/core/AbstractProperty.h"

#include "orvane/host/core/PropertyOwner.h"

namespace orvane {

AbstractProperty::AbstractProperty(PropertyOwner* owner, const PropertyDefinition& definition)
    : owner_(owner), definition_(&definition) {
    if (owner_) owner_->registerProperty(this);
}

AbstractProperty::~AbstractProperty() {
    if (owner_) owner_->unregisterProperty(this);
}

void AbstractProperty::dispatchEvent(const std::shared_ptr<PortableEvent>& event) {
    if (!event || !getDispatchIsEnabled()) return;
    if (!event->getOriginalSource()) event->setOriginalSource(this);
    EventDispatcher* previous = event->getCurrentSource();
    event->setCurrentSource(this);
    deliverToListeners(event);
    forwardToParents(event);
    // The owner receives every event of its properties.
    if (owner_) owner_->receiveForwardedEvent(event);
    event->setCurrentSource(previous ? previous : this);
}

void AbstractProperty::clearCache() { cachePending_ = false; }

void AbstractProperty::changeEventHandler(const std::shared_ptr<PortableEvent>& event) { dispatchEvent(event); }

bool AbstractProperty::addGenerically(const std::shared_ptr<Wrappable>&) { return false; }

bool AbstractProperty::appendElementGenerically(const void*) { return false; }

void AbstractProperty::updatePropertyChangeEventTree(EventDispatcher* oldChild, EventDispatcher* newChild) {
    if (oldChild == newChild) return;
    if (oldChild && oldChild->forwardsEvents()) oldChild->removeForwardTarget(this);
    if (newChild && newChild->forwardsEvents()) newChild->addForwardTarget(this);
}

EventDispatcher* AbstractProperty::implicitParent() const { return owner_; }

bool AbstractProperty::ownerCachingIsEnabled() const { return owner_ && owner_->getCachingIsEnabled(); }

} // namespace orvane
