// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <memory>
#include <string>

namespace orvane {

/// A named boolean feature switch.
class ORVANE_HOST_EXPORT Feature {
public:
    static std::shared_ptr<Feature> create() { return std::make_shared<Feature>(); }

    void setName(std::shared_ptr<const std::string> name) { name_ = std::move(name); }
    void setName(const std::string& name) { name_ = std::make_shared<const std::string>(name); }
    std::shared_ptr<const std::string> getName() const { return name_; }
    void setDescription(std::string d) { description_ = std::move(d); }
    const std::string& getDescription() const { return description_; }
    void setValue(bool v) { value_ = v; }
    bool getValue() const { return value_; }

private:
    std::shared_ptr<const std::string> name_;
    std::string description_;
    bool value_ = false;
};

/// The registry of feature switches.
class ORVANE_HOST_EXPORT Multiverse {
public:
    static void registerFeature(const std::shared_ptr<Feature>& feature);
    static std::shared_ptr<Feature> getFeature(const std::string& name);
    /// False for unknown features.
    static bool isEnabled(const std::string& name);
    static bool isEnabled(const std::shared_ptr<const std::string>& name) { return name && isEnabled(*name); }
    /// Flips a registered feature (hosts and tests); unknown names are ignored.
    static void setEnabled(const std::string& name, bool enabled);
};

} // namespace orvane
