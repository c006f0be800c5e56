#pragma once
#include "orvane/package/BaseUIModel.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class GeoEnrichmentDataCollection : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10037;
    GeoEnrichmentDataCollection();
    ~GeoEnrichmentDataCollection() override;
    static std::shared_ptr<GeoEnrichmentDataCollection> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

};

} // namespace orvane
