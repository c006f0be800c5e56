// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/geo/EsriServiceInfo.h"

#include <memory>
#include <string>

namespace orvane {

/// A map service of a directory: title, description, thumbnail, and whether
/// its spatial reference can serve as a base map grid (web Mercator or
/// longitude/latitude).
class ORVANE_EXPORT EsriMapServiceInfo : public EsriServiceInfo {
public:
    static constexpr int WRAPPER_TYPE_ID = 10033;
    EsriMapServiceInfo(std::string url, std::string name, std::string displayName);
    ~EsriMapServiceInfo() override;
    static std::shared_ptr<EsriMapServiceInfo> create(std::string url, std::string name, std::string displayName,
                                                      std::string title = std::string(),
                                                      std::string description = std::string(),
                                                      std::string thumbnailUrl = std::string(),
                                                      bool griddable = false);
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    const std::string& getTitle() const { return title_; }
    void setTitle(std::string v) { title_ = std::move(v); }
    const std::string& getDescription() const { return description_; }
    void setDescription(std::string v) { description_ = std::move(v); }
    const std::string& getThumbnailUrl() const { return thumbnailUrl_; }
    void setThumbnailUrl(std::string v) { thumbnailUrl_ = std::move(v); }
    bool isGriddable() const { return griddable_; }
    void setGriddable(bool v) { griddable_ = v; }

    /// { "name": "…", "displayName": "…", "url": "…", "title": "…",
    ///   "description": "…", "thumbnailUrl": "…", "griddable": "true|false" }
    void appendJSON(std::string& out, int depth) const override;

private:
    std::string title_;
    std::string description_;
    std::string thumbnailUrl_;
    bool griddable_ = false;
};

} // namespace orvane
