#pragma once
#include "orvane/package/BaseUIModel.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class GeoEnrichmentFieldCategory : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10038;
    GeoEnrichmentFieldCategory();
    ~GeoEnrichmentFieldCategory() override;
    static std::shared_ptr<GeoEnrichmentFieldCategory> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

};

} // namespace orvane
