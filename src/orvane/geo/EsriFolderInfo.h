// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/geo/EsriServiceInfo.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {

/// A folder of a map-server directory; its children are folders and map services.
class ORVANE_EXPORT EsriFolderInfo : public EsriServiceInfo {
public:
    static constexpr int WRAPPER_TYPE_ID = 10030;
    /// getJSON leaves out children nested deeper than this, so that a tree
    /// that contains itself still gives a finite text.
    static constexpr int MAX_JSON_DEPTH = 64;
    using Children = std::vector<std::shared_ptr<EsriServiceInfo>>;

    EsriFolderInfo(std::string url, std::string name, std::string displayName);
    ~EsriFolderInfo() override;
    static std::shared_ptr<EsriFolderInfo> create(std::string url, std::string name, std::string displayName);
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    const Children& getChildren() const { return children_; }
    /// Ignores an empty child and the folder itself.
    void addChild(const std::shared_ptr<EsriServiceInfo>& child);
    /// Inserts at a position (clamped to the end).
    void insertChild(size_t index, const std::shared_ptr<EsriServiceInfo>& child);
    void removeChild(const std::shared_ptr<EsriServiceInfo>& child);

    /// { "name": "…", "displayName": "…", "url": "…", "folders": [ … ], "services": [ … ] }
    void appendJSON(std::string& out, int depth) const override;

private:
    Children children_;
};

} // namespace orvane
