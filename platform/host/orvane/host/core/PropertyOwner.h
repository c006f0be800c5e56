// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/EventDispatcher.h"

#include <string_view>
#include <vector>

namespace orvane {

class AbstractProperty;

/// Owner of properties. It keeps a registry of its properties in index order,
/// receives their events (listeners on the owner see every property change) and
/// holds the caching switch: while caching is on, property sets are held back as
/// pending values until applyCache or clearCache.
class ORVANE_HOST_EXPORT PropertyOwner : public virtual EventDispatcher, public virtual Wrappable {
public:
    PropertyOwner() = default;
    ~PropertyOwner() override = default;

    std::shared_ptr<const void> keepAlive() const override { return weak_from_this().lock(); }

    void registerProperty(AbstractProperty* property);
    void unregisterProperty(AbstractProperty* property);
    const std::vector<AbstractProperty*>& getProperties() const { return properties_; }
    AbstractProperty* getProperty(std::string_view nameOrAlias) const;
    AbstractProperty* getPropertyAtIndex(size_t index) const;

    /// Sets every pending value through the normal path (validation, change or
    /// invalid-value event). Works while caching stays on.
    void applyCache();
    /// Drops every pending value.
    void clearCache() override;
    bool hasPendingCache() const;

    /// Forgets every property's has-a-value flag (property overrides cleared).
    void clearPropertyOverrides();

private:
    std::vector<AbstractProperty*> properties_;
};

} // namespace orvane
