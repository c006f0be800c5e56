#pragma once
#include "orvane/package/BaseUIModel.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class GeoEnrichmentCountry : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10036;
    GeoEnrichmentCountry();
    ~GeoEnrichmentCountry() override;
    static std::shared_ptr<GeoEnrichmentCountry> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

};

} // namespace orvane
