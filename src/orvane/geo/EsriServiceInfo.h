// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/Wrappable.h"

#include <memory>
#include <string>

namespace orvane {

/// An entry of a map-server directory: its URL and names.
class ORVANE_EXPORT EsriServiceInfo : public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 10034;
    EsriServiceInfo(std::string url, std::string name, std::string displayName);
    ~EsriServiceInfo() override;
    static std::shared_ptr<EsriServiceInfo> create(std::string url, std::string name, std::string displayName);
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    const std::string& getUrl() const { return url_; }
    void setUrl(std::string v) { url_ = std::move(v); }
    const std::string& getName() const { return name_; }
    void setName(std::string v) { name_ = std::move(v); }
    const std::string& getDisplayName() const { return displayName_; }
    void setDisplayName(std::string v) { displayName_ = std::move(v); }

    /// { "name": "…", "displayName": "…", "url": "…" }, values escaped.
    std::string getJSON() const;
    /// Appends the JSON; depth bounds the nesting a tree may write.
    virtual void appendJSON(std::string& out, int depth) const;

protected:
    /// "{ "name": "…", "displayName": "…", "url": "…"" without the closing brace.
    void appendCommonJSON(std::string& out) const;

private:
    std::string url_;
    std::string name_;
    std::string displayName_;
};

} // namespace orvane
