// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/data/DataValue.h"

#include <memory>
#include <string>

namespace orvane {

class DataSet;

/// Readable names for variables and values: a variable's label and a value's
/// text in the format of its variable. Backed by a data set (column labels and
/// formats) or by nothing (names as they are, values in their default format).
class ORVANE_HOST_EXPORT MetadataProvider {
public:
    virtual ~MetadataProvider() = default;
    static std::shared_ptr<MetadataProvider> create(std::shared_ptr<const DataSet> dataSet = nullptr);

    /// The column's label, else the name itself.
    virtual std::string getVariableLabel(const std::string& variable) const;
    /// The value formatted as its variable's column formats it, else its own text.
    virtual std::string getValueLabel(const std::string& variable, const DataValue& value) const;

private:
    std::shared_ptr<const DataSet> dataSet_;
};

} // namespace orvane
