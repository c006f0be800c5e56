#pragma once
#include "orvane/package/BaseUIModel.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class GeocodeInfo : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10040;
    GeocodeInfo();
    ~GeocodeInfo() override;
    static std::shared_ptr<GeocodeInfo> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

};

} // namespace orvane
