#pragma once
#include "orvane/package/BaseUIModel.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class GridDisplayOptions : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10043;
    GridDisplayOptions();
    ~GridDisplayOptions() override;
    static std::shared_ptr<GridDisplayOptions> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<bool> concise;
    Property<bool> plain;
    Property<bool> wrapall;
    Property<bool> retainNewLines;
};

} // namespace orvane
