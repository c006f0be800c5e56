#pragma once
#include "orvane/package/BaseUIModel.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class GeoEnrichmentVariable : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10039;
    GeoEnrichmentVariable();
    ~GeoEnrichmentVariable() override;
    static std::shared_ptr<GeoEnrichmentVariable> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

};

} // namespace orvane
