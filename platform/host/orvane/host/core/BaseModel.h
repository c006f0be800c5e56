// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/PropertyOwner.h"
#include "orvane/host/core/StringRepresentable.h"

#include <string>

namespace orvane {

struct ModelDefinition;

/// Root of serialisable models: a property owner that can describe itself.
class ORVANE_HOST_EXPORT BaseModel : public virtual PropertyOwner, public virtual EventDispatcher, public virtual StringRepresentable {
public:
    static constexpr int WRAPPER_TYPE_ID = 13;
    BaseModel() = default;
    ~BaseModel() override = default;

    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
    /// The model's definition record from the registered model databases, or
    /// null when no database knows this model.
    const ModelDefinition* getModelDefinition() const;
    /// "ClassName" followed by the properties that have a value.
    std::string toString() const override;
};

} // namespace orvane
