// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/geo/GeoEnrichmentFieldCategory.h"
#include "orvane/package/BaseUIModel.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {

/// A data collection of the geoenrichment service, its variables grouped by
/// field category.
class ORVANE_EXPORT GeoEnrichmentDataCollection : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10037;
    using SubCategories = std::vector<std::shared_ptr<GeoEnrichmentFieldCategory>>;

    GeoEnrichmentDataCollection();
    ~GeoEnrichmentDataCollection() override;
    static std::shared_ptr<GeoEnrichmentDataCollection> create();
    static std::shared_ptr<GeoEnrichmentDataCollection> create(std::string name, std::string label,
                                                               std::string shortDescription,
                                                               std::string longDescription,
                                                               SubCategories subCategories);
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    const std::string& getName() const { return name_; }
    void setName(std::string v) { name_ = std::move(v); }
    const std::string& getLabel() const { return label_; }
    void setLabel(std::string v) { label_ = std::move(v); }
    const std::string& getShortDescription() const { return shortDescription_; }
    void setShortDescription(std::string v) { shortDescription_ = std::move(v); }
    const std::string& getLongDescription() const { return longDescription_; }
    void setLongDescription(std::string v) { longDescription_ = std::move(v); }
    const SubCategories& getSubCategories() const { return subCategories_; }
    void setSubCategories(SubCategories v) { subCategories_ = std::move(v); }
    void addSubCategory(const std::shared_ptr<GeoEnrichmentFieldCategory>& c) {
        if (c) subCategories_.push_back(c);
    }

    /// {"name":"…","label":"…","shortDescription":"…","longDescription":"…","subCategories":[…]}
    void appendJSON(std::string& out) const;

private:
    std::string name_;
    std::string label_;
    std::string shortDescription_;
    std::string longDescription_;
    SubCategories subCategories_;
};

} // namespace orvane
