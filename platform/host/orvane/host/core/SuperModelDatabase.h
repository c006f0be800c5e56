// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/ModelDatabase.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvane {

/// Aggregates every registered model database for lookups by type id and by
/// element name (element names and aliases).
class ORVANE_HOST_EXPORT SuperModelDatabase {
public:
    static SuperModelDatabase* instance();

    void addDatabase(ModelDatabase* database);
    const std::vector<ModelDatabase*>& getDatabases() const { return databases_; }

    /// The record for a type id from the first database that knows it, else the
    /// empty default record.
    const ModelDefinition& getModelDefinition(int typeId, int version = 0) const;
    ModelDatabase* getDatabaseForType(int typeId) const;
    bool isModelType(int typeId) const;
    /// Type id for an element name or alias, or 0.
    int getTypeIdForElementName(std::string_view name) const;
    std::shared_ptr<BaseModel> createModel(int typeId) const;

private:
    std::vector<ModelDatabase*> databases_;
    /// Hashes names given as std::string or std::string_view alike, so a
    /// lookup needs no copy of the name.
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    mutable std::unordered_map<std::string, int, NameHash, std::equal_to<>> byElementName_;
    mutable bool indexValid_ = false;
    void buildIndex() const;
};

} // namespace orvane
