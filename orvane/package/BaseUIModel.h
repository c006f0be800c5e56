#pragma once
#include "host/BaseModel.h"

namespace orvane {

// Root of every serialisable model of the library.
class BaseUIModel : public BaseModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10004;
    BaseUIModel() = default;
    ~BaseUIModel() override = default;
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
    // Called by each model's create() after construction.
    virtual void initialize() {}
};

} // namespace orvane
