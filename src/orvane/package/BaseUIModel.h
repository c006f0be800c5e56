// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/BaseModel.h"

namespace orvane {

/// Root of every serialisable model of the library.
class ORVANE_EXPORT BaseUIModel : public BaseModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10004;
    /// Makes sure the library's model database is registered, so that every
    /// model can be read, written and described even before start-up.
    BaseUIModel();
    ~BaseUIModel() override = default;
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
    /// Called by each model's create() after construction.
    virtual void initialize() {}
};

} // namespace orvane
