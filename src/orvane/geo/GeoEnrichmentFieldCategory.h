// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/geo/GeoEnrichmentVariable.h"
#include "orvane/package/BaseUIModel.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {

/// The variables of a data collection that share one field category.
class ORVANE_EXPORT GeoEnrichmentFieldCategory : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10038;
    using Variables = std::vector<std::shared_ptr<GeoEnrichmentVariable>>;

    GeoEnrichmentFieldCategory();
    ~GeoEnrichmentFieldCategory() override;
    static std::shared_ptr<GeoEnrichmentFieldCategory> create();
    static std::shared_ptr<GeoEnrichmentFieldCategory> create(std::string name, Variables variables);
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    const std::string& getName() const { return name_; }
    void setName(std::string v) { name_ = std::move(v); }
    const Variables& getVariables() const { return variables_; }
    void setVariables(Variables v) { variables_ = std::move(v); }
    void addVariable(const std::shared_ptr<GeoEnrichmentVariable>& v) {
        if (v) variables_.push_back(v);
    }

    /// {"name":"…","variables":[…]}
    void appendJSON(std::string& out) const;

private:
    std::string name_;
    Variables variables_;
};

} // namespace orvane
