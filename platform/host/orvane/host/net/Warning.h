// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/Wrappable.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {

/// A problem reported to the host: a numeric warning type, a name, a severity
/// value, and a localised message given as bundle, key and parameters (the
/// "{0}", "{1}", ... of the message template).
class ORVANE_HOST_EXPORT Warning : public virtual Wrappable {
public:
    Warning(int type, std::string name, double value, std::string bundle, std::string key,
            std::vector<std::string> parameters);
    static std::shared_ptr<Warning> create(int type, std::string name, double value, std::string bundle,
                                           std::string key, std::vector<std::string> parameters);

    int getType() const { return type_; }
    const std::string& getName() const { return name_; }
    double getValue() const { return value_; }
    const std::string& getBundle() const { return bundle_; }
    const std::string& getKey() const { return key_; }
    const std::vector<std::string>& getParameters() const { return parameters_; }

    /// The message template of bundle/key with the parameters filled in. When
    /// the catalogue lacks the key: the key followed by the parameters.
    std::string getMessage() const;

private:
    int type_;
    std::string name_;
    double value_;
    std::string bundle_;
    std::string key_;
    std::vector<std::string> parameters_;
};

} // namespace orvane
