// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/PropertyDefinition.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace orvane {

struct ORVANE_HOST_EXPORT ModelAlias {
    std::string_view elementName;
    int32_t typeId;
};

/// The shared root record of a model definition.
struct ORVANE_HOST_EXPORT ModelRootRecord {
    std::string_view strings[6];
    uint64_t words[2];
    int32_t first;
    int32_t second;
};

/// Constant record describing one model type: its class, element name, aliases,
/// properties (inherited ones first) and ancestry (bases nearest first, then the
/// host ids, then its own id).
struct ORVANE_HOST_EXPORT ModelDefinition {
    std::string_view className;
    int32_t typeId = 0;
    int32_t reserved = 0;
    uint64_t modelFlags = 0;
    std::span<const PropertyDefinition> properties;
    std::span<const ModelAlias> aliases;
    std::string_view nameSpace;
    const ModelRootRecord* root = nullptr;
    std::string_view elementName;
    std::span<const int32_t> ancestry;

    bool isEmpty() const { return typeId == 0; }
    /// True when this model is typeId or derives from it.
    bool isKindOf(int otherTypeId) const {
        for (int32_t a : ancestry)
            if (a == otherTypeId) return true;
        return typeId == otherTypeId;
    }
    const PropertyDefinition* findProperty(std::string_view nameOrAlias) const {
        for (const auto& p : properties)
            if (p.matchesName(nameOrAlias)) return &p;
        return nullptr;
    }
};

} // namespace orvane
