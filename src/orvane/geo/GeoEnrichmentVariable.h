// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"

#include <memory>
#include <string>

namespace orvane {

/// One variable of a geoenrichment data collection.
class ORVANE_EXPORT GeoEnrichmentVariable : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10039;
    GeoEnrichmentVariable();
    ~GeoEnrichmentVariable() override;
    static std::shared_ptr<GeoEnrichmentVariable> create();
    static std::shared_ptr<GeoEnrichmentVariable> create(std::string name, std::string label, std::string description,
                                                         std::string type, int popularity);
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    const std::string& getName() const { return name_; }
    void setName(std::string v) { name_ = std::move(v); }
    const std::string& getLabel() const { return label_; }
    void setLabel(std::string v) { label_ = std::move(v); }
    const std::string& getDescription() const { return description_; }
    void setDescription(std::string v) { description_ = std::move(v); }
    /// "decimal", "integer", "date" or "string".
    const std::string& getType() const { return type_; }
    void setType(std::string v) { type_ = std::move(v); }
    int getPopularity() const { return popularity_; }
    void setPopularity(int v) { popularity_ = v; }

    /// {"name":"…","label":"…","description":"…","type":"…","popularity":n}
    void appendJSON(std::string& out) const;

private:
    std::string name_;
    std::string label_;
    std::string description_;
    std::string type_;
    int popularity_ = 0;
};

} // namespace orvane
