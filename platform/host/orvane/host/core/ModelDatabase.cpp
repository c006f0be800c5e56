// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/core/ModelDatabase.h"

#include "orvane/host/core/BaseModel.h"
#include "orvane/host/core/SuperModelDatabase.h"

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
    // Earlier databases win for a name defined twice, and within a database
    // the first definition of a name.
    for (auto* d : databases_) {
        for (int id : d->getModelTypeIds()) {
            const ModelDefinition& def = d->getModelDefinition(id, 0);
            if (def.isEmpty()) continue;
            byElementName_.try_emplace(std::string(def.elementName), def.typeId);
            for (const auto& a : def.aliases) byElementName_.try_emplace(std::string(a.elementName), a.typeId);
        }
    }
    indexValid_ = true;
}

int SuperModelDatabase::getTypeIdForElementName(std::string_view name) const {
    if (!indexValid_) buildIndex();
    auto it = byElementName_.find(name);
    return it == byElementName_.end() ? 0 : it->second;
}

std::shared_ptr<BaseModel> SuperModelDatabase::createModel(int typeId) const {
    ModelDatabase* d = getDatabaseForType(typeId);
    return d ? d->createModel(typeId) : nullptr;
}

} // namespace orvane
