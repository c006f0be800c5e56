// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/geo/GeoEnrichmentDataCollection.h"
#include "orvane/package/BaseUIModel.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {

/// A variable category of the geoenrichment service and the data collections
/// that belong to it.
class ORVANE_EXPORT GeoEnrichmentCategory : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10035;
    using DataCollections = std::vector<std::shared_ptr<GeoEnrichmentDataCollection>>;

    GeoEnrichmentCategory();
    ~GeoEnrichmentCategory() override;
    static std::shared_ptr<GeoEnrichmentCategory> create();
    static std::shared_ptr<GeoEnrichmentCategory> create(std::string name, std::string label, std::string description,
                                                         DataCollections dataCollections);
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    const std::string& getName() const { return name_; }
    void setName(std::string v) { name_ = std::move(v); }
    const std::string& getLabel() const { return label_; }
    void setLabel(std::string v) { label_ = std::move(v); }
    const std::string& getDescription() const { return description_; }
    void setDescription(std::string v) { description_ = std::move(v); }
    const DataCollections& getDataCollections() const { return dataCollections_; }
    void setDataCollections(DataCollections v) { dataCollections_ = std::move(v); }
    void addDataCollection(const std::shared_ptr<GeoEnrichmentDataCollection>& c) {
        if (c) dataCollections_.push_back(c);
    }

    /// {"name":"…","label":"…","description":"…","dataCollections":[…]}
    void appendJSON(std::string& out) const;

private:
    std::string name_;
    std::string label_;
    std::string description_;
    DataCollections dataCollections_;
};

} // namespace orvane
