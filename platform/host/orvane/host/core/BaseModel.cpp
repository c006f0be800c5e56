// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/core/BaseModel.h"

#include "orvane/host/core/AbstractProperty.h"
#include "orvane/host/core/ModelDatabase.h"
#include "orvane/host/document/PropertyTextCodec.h"
#include "orvane/host/core/SuperModelDatabase.h"

namespace orvane {

const ModelDefinition* BaseModel::getModelDefinition() const {
    const ModelDefinition& def = SuperModelDatabase::instance()->getModelDefinition(getWrapperTypeId());
    return def.isEmpty() ? nullptr : &def;
}

std::string BaseModel::toString() const {
    const ModelDefinition* def = getModelDefinition();
    std::string out = def ? std::string(def->className) : "BaseModel";
    ModelDatabase* db = SuperModelDatabase::instance()->getDatabaseForType(getWrapperTypeId());
    out += "{";
    bool first = true;
    for (AbstractProperty* p : getProperties()) {
        if (!p->hasValue()) continue;
        std::string v;
        if (!PropertyTextCodec::isTextual(*p) && !p->getDefinition().isTextContent()) continue;
        if (!PropertyTextCodec::toText(*p, db, v)) continue;
        if (!first) out += ", ";
        out += std::string(p->getName()) + "=" + v;
        first = false;
    }
    out += "}";
    return out;
}

} // namespace orvane
