// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {

/// A country of the geoenrichment service: its codes, its name, and the
/// variable categories and geography levels of its census hierarchy.
class ORVANE_EXPORT GeoEnrichmentCountry : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10036;
    using StringList = std::shared_ptr<std::vector<std::string>>;

    GeoEnrichmentCountry();
    ~GeoEnrichmentCountry() override;
    static std::shared_ptr<GeoEnrichmentCountry> create();
    static std::shared_ptr<GeoEnrichmentCountry> create(std::string id, std::string id3, std::string name,
                                                        StringList categories, StringList levels);
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    const std::string& getId() const { return id_; }
    void setId(std::string v) { id_ = std::move(v); }
    const std::string& getId3() const { return id3_; }
    void setId3(std::string v) { id3_ = std::move(v); }
    const std::string& getName() const { return name_; }
    void setName(std::string v) { name_ = std::move(v); }
    /// Never null.
    const StringList& getCategories() const { return categories_; }
    void setCategories(StringList v);
    const StringList& getLevels() const { return levels_; }
    void setLevels(StringList v);

private:
    std::string id_;
    std::string id3_;
    std::string name_;
    StringList categories_;
    StringList levels_;
};

} // namespace orvane
