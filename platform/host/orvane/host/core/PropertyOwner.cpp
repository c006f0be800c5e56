// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/core/PropertyOwner.h"

#include "orvane/host/core/AbstractProperty.h"

#include <algorithm>

namespace orvane {

void PropertyOwner::registerProperty(AbstractProperty* property) {
    if (!property) return;
    // Grown by half when full (16, 24, 36, 54 ...): models hold from a few to
    // a few dozen properties, and doubling would leave much of the list unused.
    if (properties_.size() == properties_.capacity())
        properties_.reserve(properties_.empty() ? 16 : properties_.size() + properties_.size() / 2);
    properties_.push_back(property);
}

void PropertyOwner::unregisterProperty(AbstractProperty* property) {
    // Properties die in reverse order of construction: search from the back.
    for (size_t i = properties_.size(); i-- > 0;) {
        if (properties_[i] == property) {
            properties_.erase(properties_.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
    }
}

AbstractProperty* PropertyOwner::getProperty(std::string_view nameOrAlias) const {
    for (AbstractProperty* p : properties_)
        if (p->getDefinition().matchesName(nameOrAlias)) return p;
    return nullptr;
}

AbstractProperty* PropertyOwner::getPropertyAtIndex(size_t index) const {
    return index < properties_.size() ? properties_[index] : nullptr;
}

void PropertyOwner::applyCache() {
    // Keep this owner alive: listeners run while the values are applied.
    auto keepAlive = weak_from_this().lock();
    const bool caching = getCachingIsEnabled();
    EventDispatcher::setCachingIsEnabled(false);
    // Snapshot: listeners may not add properties, but be safe about it.
    std::vector<AbstractProperty*> pending;
    for (AbstractProperty* p : properties_)
        if (p->hasCachedValue()) pending.push_back(p);
    for (AbstractProperty* p : pending)
        if (std::find(properties_.begin(), properties_.end(), p) != properties_.end()) p->applyCache();
    EventDispatcher::setCachingIsEnabled(caching);
}

void PropertyOwner::clearCache() {
    for (AbstractProperty* p : properties_) p->clearCache();
}

bool PropertyOwner::hasPendingCache() const {
    for (AbstractProperty* p : properties_)
        if (p->hasCachedValue()) return true;
    return false;
}

void PropertyOwner::clearPropertyOverrides() {
    for (AbstractProperty* p : properties_) p->clearHasValue();
}

} // namespace orvane
