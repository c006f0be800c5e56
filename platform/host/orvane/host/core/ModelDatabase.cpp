// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/core/ModelDatabase.h"

#include "orvane/host/core/BaseModel.h"
#include "orvane/host/core/SuperModelDatabase.h"

#include <algorithm>
#include <mutex>

namespace orvane {

void ModelDatabase::registerModelDatabase(ModelDatabase* database) {
    SuperModelDatabase::instance()->addDatabase(database);
}

const ModelDefinition& ModelDatabase::emptyDefinition() {
    static const ModelDefinition empty{};
    return empty;
}

SuperModelDatabase* SuperModelDatabase::instance() {
    static SuperModelDatabase db;
    return &db;
}

void SuperModelDatabase::addDatabase(ModelDatabase* database) {
    if (!database) return;
    for (auto* d : databases_)
        if (d == database) return;
    databases_.push_back(database);
    indexValid_ = false;
}

const ModelDefinition& SuperModelDatabase::getModelDefinition(int typeId, int version) const {
    for (auto* d : databases_) {
        const ModelDefinition& def = d->getModelDefinition(typeId, version);
        if (!def.isEmpty()) return def;
    }
    return ModelDatabase::emptyDefinition();
}

ModelDatabase* SuperModelDatabase::getDatabaseForType(int typeId) const {
    for (auto* d : databases_)
        if (d->isModelType(typeId)) return d;
    return nullptr;
}

bool SuperModelDatabase::isModelType(int typeId) const { return getDatabaseForType(typeId) != nullptr; }

void SuperModelDatabase::buildIndex() const {
    byElementName_.clear();
    for (auto* d : databases_) {
        for (int id : d->getModelTypeIds()) {
            const ModelDefinition& def = d->getModelDefinition(id, 0);
            if (def.isEmpty()) continue;
            byElementName_.emplace_back(std::string(def.elementName), def.typeId);
            for (const auto& a : def.aliases) byElementName_.emplace_back(std::string(a.elementName), a.typeId);
        }
    }
    // Earlier databases win for a name defined twice.
    std::stable_sort(byElementName_.begin(), byElementName_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    indexValid_ = true;
}

int SuperModelDatabase::getTypeIdForElementName(std::string_view name) const {
    if (!indexValid_) buildIndex();
    auto it = std::lower_bound(byElementName_.begin(), byElementName_.end(), name,
                               [](const std::pair<std::string, int>& p, std::string_view n) { return p.first < n; });
    return (it == byElementName_.end() || it->first != name) ? 0 : it->second;
}

std::shared_ptr<BaseModel> SuperModelDatabase::createModel(int typeId) const {
    ModelDatabase* d = getDatabaseForType(typeId);
    return d ? d->createModel(typeId) : nullptr;
}

} // namespace orvane
