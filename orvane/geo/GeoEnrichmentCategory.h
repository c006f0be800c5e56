#pragma once
#include "orvane/package/BaseUIModel.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class GeoEnrichmentCategory : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10035;
    GeoEnrichmentCategory();
    ~GeoEnrichmentCategory() override;
    static std::shared_ptr<GeoEnrichmentCategory> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

};

} // namespace orvane
